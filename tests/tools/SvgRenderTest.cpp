#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <vector>

namespace {

const QString Examples = QStringLiteral(TD_EXAMPLES_DIR);

// The exit code of a program run in `dir`, -1 when it hangs or crashes.
int RunIn(const QString& program, const QStringList& args, const QString& dir, QByteArray* out = nullptr)
{
    QProcess process;
    process.setWorkingDirectory(dir);
    process.start(program, args);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    if (out)
        *out = process.readAllStandardOutput();
    return process.exitCode();
}

// The example plan without text (a name of one space, as an empty one shows "no name"): what is
// left is geometry, which the SVG's reader must draw as the PNG has it, while text is laid out by
// each reader's own font engine. Lines are solid, as dots step differently down a slanted line.
QString TextFreeCopy(const QString& example, const QTemporaryDir& dir)
{
    QByteArray exported;
    EXPECT_EQ(RunIn(TDTOOL_PATH, {"export", example}, dir.path(), &exported), 0);
    nlohmann::json plan = nlohmann::json::parse(exported.toStdString());
    for (auto& row : plan["rows"]) {
        row["name"] = " ";
        row["person"] = row["comment"] = "";
    }
    for (auto& item : plan["items"]) {
        item["text"] = "";
        if (item["type"] == 245)
            item["lineStyle"] = 0;
    }
    QFile json(dir.filePath("plan.json"));
    EXPECT_TRUE(json.open(QIODevice::WriteOnly));
    json.write(QByteArray::fromStdString(plan.dump()));
    json.close();
    EXPECT_EQ(RunIn(TDTOOL_PATH, {"import", json.fileName(), dir.filePath("plan.tdp")}, dir.path()), 0);
    return dir.filePath("plan.tdp");
}

// Lines of pixels at least half black: the chart's rules, across or down.
std::vector<int> Rules(const QImage& image, bool across)
{
    std::vector<int> rules;
    const int lines = across ? image.height() : image.width();
    const int length = across ? image.width() : image.height();
    for (int line = 0; line < lines; ++line) {
        int black = 0;
        for (int i = 0; i < length; ++i)
            black += (across ? image.pixel(i, line) : image.pixel(line, i)) == qRgb(0, 0, 0);
        if (black * 2 >= length)
            rules.push_back(line);
    }
    return rules;
}

// Pixels of `a` whose colour `b` has neither there nor one pixel beside: a shape moved by more
// than a pixel, a fill of another colour, or something drawn in one picture only.
int Unmatched(const QImage& a, const QImage& b, const QRect& area)
{
    int unmatched = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            bool found = false;
            for (int dy = -1; dy <= 1 && !found; ++dy)
                for (int dx = -1; dx <= 1 && !found; ++dx)
                    found = b.valid(x + dx, y + dy) && b.pixel(x + dx, y + dy) == a.pixel(x, y);
            unmatched += !found;
        }
    }
    return unmatched;
}

int Differing(const QImage& a, const QImage& b)
{
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing += a.pixel(x, y) != b.pixel(x, y);
    return differing;
}

bool Tinted(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == qRgb(255, 127, 255))
                return true;
    return false;
}

TEST(SvgRender, RsvgDrawsTheSvgWithThePngsRulesFillsItemsAndHolidayTint)
{
    if (QStandardPaths::findExecutable("rsvg-convert").isEmpty())
        GTEST_SKIP() << "librsvg2-bin is not installed";
    QTemporaryDir dir;
    QFile holidays(dir.filePath("2009.cal"));
    ASSERT_TRUE(holidays.open(QIODevice::WriteOnly));
    holidays.write("# TimelineDraft Holiday File\r\n0404\r\n0405\r\n0429\r\n0503\r\n0504\r\n0505\r\n0506\r\n");
    holidays.close();
    const QString plan = TextFreeCopy(Examples + "/project.tdp", dir);
    const struct { const char* zoom; const char* first; } views[] = {{"5", "2009-03-28"}, {"7", "2009-04-25"}, {"2", "2009-03-15"}};
    for (const auto& view : views) {
        SCOPED_TRACE(view.zoom);
        ASSERT_EQ(RunIn(TDTOOL_PATH, {"render", plan, "--png", "chart.png", "--svg", "chart.svg", "--width", "1600",
                                    "--height", "600", "--zoom", view.zoom, "--first-date", view.first}, dir.path()), 0);
        ASSERT_EQ(RunIn("rsvg-convert", {"chart.svg", "-o", "svg.png"}, dir.path()), 0);
        const QImage png = QImage(dir.filePath("chart.png")).convertToFormat(QImage::Format_RGB32);
        const QImage svg = QImage(dir.filePath("svg.png")).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(svg.size(), png.size());
        for (bool across : {true, false}) {
            const std::vector<int> rules = Rules(png, across);
            EXPECT_GE(rules.size(), across ? 10U : 4U);
            EXPECT_EQ(Rules(svg, across), rules);
            // A slanted line crossing a rule may cross it a pixel aside.
            for (int line : rules) {
                const QRect rule = across ? QRect(0, line, png.width(), 1) : QRect(line, 0, 1, png.height());
                EXPECT_LE(Differing(png.copy(rule), svg.copy(rule)), 2) << line;
            }
        }
        // Below the header nothing is text: fills, tint and items must meet within a pixel, where
        // a slanted line or a mark's glyph is stepped differently. A line one pixel aside may
        // pass under another shape: a few pixels of it are let go.
        const QRect rows(0, 65, png.width(), png.height() - 65);
        EXPECT_LE(Unmatched(png, svg, rows), 8);
        EXPECT_LE(Unmatched(svg, png, rows), 8);
        EXPECT_EQ(Tinted(png), std::string(view.zoom) != "2") << "holidays are tinted where days have columns";
    }
}

TEST(SvgRender, TextStaysTextInTheChartsFont)
{
    QTemporaryDir dir;
    ASSERT_EQ(RunIn(TDTOOL_PATH, {"render", Examples + "/project.tdp", Examples + "/schedule.tds", "--svg", "chart.svg",
                                "--zoom", "8", "--first-date", "2009-04-01"}, dir.path()), 0);
    QFile file(dir.filePath("chart.svg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString svg = QString::fromUtf8(file.readAll());
    for (const char* text : {"開発計画", "朝会", "9:00-10:00", "プロジェクト"})
        EXPECT_TRUE(svg.contains(QRegularExpression(QStringLiteral("<text[^>]*>[^<]*") + QString::fromUtf8(text)))) << text;
    EXPECT_TRUE(svg.contains(QString::fromUtf8("font-family=\"'ＭＳ Ｐゴシック', 'IPAPGothic', sans-serif\"")));
    EXPECT_FALSE(svg.contains(QStringLiteral("mix-blend-mode")));
}

}  // namespace
