#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

const QString ExamplesDir = QStringLiteral(TD_EXAMPLES_DIR);
const QString ReferencesDir = QStringLiteral(TD_RENDER_REFERENCES_DIR);

struct ToolResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// A program that hangs or crashes gives exit code -1.
ToolResult RunProgram(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    ToolResult result;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    return result;
}

ToolResult RunTdtool(const QStringList& args) { return RunProgram(QStringLiteral(TDTOOL_PATH), args); }

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

class Tdtool : public ::testing::Test {
protected:
    QString Path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    QTemporaryDir dir;
};

// Import and export are each other's inverse on the examples.
TEST_F(Tdtool, ExampleFilesAreTheImportOfTheirJsonAndInfoSummarisesThem)
{
    for (const char* stem : {"project", "schedule"}) {
        const QString json = ExamplesDir + "/" + stem + ".json";
        const QString file = ExamplesDir + "/" + stem + (std::string(stem) == "project" ? ".tdp" : ".tds");
        const ToolResult imported = RunTdtool({"import", json, Path("built")});
        ASSERT_EQ(imported.exitCode, 0) << imported.err;
        EXPECT_EQ(ReadBytes(Path("built")), ReadBytes(file)) << stem;
        const ToolResult exported = RunTdtool({"export", file});
        ASSERT_EQ(exported.exitCode, 0) << exported.err;
        EXPECT_EQ(QByteArray::fromStdString(exported.out), ReadBytes(json)) << stem;
    }
    const ToolResult info = RunTdtool({"info", ExamplesDir + "/project.tdp"});
    EXPECT_EQ((std::pair {info.exitCode, info.out}),
              (std::pair {0, std::string("kind: 1 (project)\nrows: 9\nitems: 20\nTaskLine: 2\nTaskBand: 4\nEvent: 8\nProgress: 3\n"
                                         "Line: 2\nTextBox: 1\nSchedule: 0\ndates: 2009-04-01 .. 2009-05-29\n")})) << info.err;
}

TEST_F(Tdtool, VendorCharactersAndFullFieldsSurvive)
{
    const std::string text128(128, 'x');
    const std::string json = R"({"kind": 1, "rows": [{"lanes": 2, "name": "①～計画計画計画計画計画計画計画"}],
        "items": [{"type": 246, "textWeight": 700, "boxWidth": -5, "text": ")" + text128 + R"("},
                  {"type": 243, "lineStyle": 108, "textWeight": 400, "text": "～①"}]})";
    WriteBytes(Path("in.json"), QByteArray::fromStdString(json));
    const ToolResult imported = RunTdtool({"import", Path("in.json"), Path("out.tdp")});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_TRUE(ReadBytes(Path("out.tdp")).contains(QByteArray("\x87\x40\x81\x60", 4)));

    const ToolResult exported = RunTdtool({"export", Path("out.tdp")});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    for (const std::string& field : std::vector<std::string> {"\"name\":\"①～計画計画計画計画計画計画計画\"", "\"text\":\"～①\"",
                                     "\"text\":\"" + text128 + "\"", "\"textWeight\":700"})
        EXPECT_NE(exported.out.find(field), std::string::npos) << field;
    WriteBytes(Path("exported.json"), QByteArray::fromStdString(exported.out));
    const ToolResult again = RunTdtool({"import", Path("exported.json"), Path("again.tdp")});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(ReadBytes(Path("again.tdp")), ReadBytes(Path("out.tdp")));
}

struct Refusal {
    std::string json;
    const char* message;
};

std::string Rows(int count)
{
    std::string json = R"({"kind": 1, "rows": [)";
    for (int id = 0; id < count; ++id)
        json.append(id ? "," : "").append(R"({"lanes": 1, "id": )").append(std::to_string(id)).append("}");
    return json + "]}";
}

std::string Fields(int count)
{
    std::string json = R"({"kind": 1, "rows": [{"lanes": 2}])";
    for (int i = 0; i < count; ++i)
        json += ", \"x" + std::to_string(i) + "\": 0";
    return json + "}";
}

// Each case breaks one rule of an otherwise valid document.
const Refusal Refusals[] = {
    {R"({"rows": [{"lanes": 2}]})", R"(document: field "kind" must be 1 (project) or 2 (schedule))"},
    {R"({"kind": 1, "rows": [{"lanes": 2}], "items": [{"type": 240}]})", R"(item 0: field "type" is not an item type)"},
    {R"({"kind": 1, "rows": [{"lanes": 2}], "items": [{}]})", R"(item 0: field "type" is not an item type)"},
    {R"({"kind": 1, "rows": [{"lanes": 2, "name": "한국"}]})", R"(row 0: field "name" cannot be encoded in code page 932)"},
    {R"({"kind": 1, "rows": [{"lanes": 2, "person": "担当者担当者担当者"}]})", R"(row 0: field "person" is longer than 16 bytes)"},
    {R"({"kind": 1, "rows": [{"lanes": 2, "name": "a\u0000b"}]})", R"(row 0: field "name" holds a NUL character)"},
    {R"({"kind": 1, "rows": [{"lanes": 2}, {"lanes": 2, "level": 4}]})", R"(row 1: field "level" out of range (0..3))"},
    {R"({"kind": 1, "rows": [{"lanes": 0}]})", R"(row 0: field "lanes" out of range (1..255))"},
    {R"({"kind": 1, "rows": [{"lanes": 2, "backColor": 4294967296}]})", R"(row 0: field "backColor" out of range (0..4294967295))"},
    {R"({"kind": 1, "rows": [{"lanes": 2, "id": 2147483648}]})", R"(row 0: field "id" out of range (-2147483648..2147483646))"},
    {R"({"kind": 1, "rows": [{"lanes": 2}, {"lanes": 2}]})", R"(row 1: field "id" repeats the id of an earlier row)"},
    {R"({"kind": 1, "rows": [{"lanes": 2}], "items": [{"type": 241, "textWeight": 400}, {"type": 242, "textWeight": 400},
        {"type": 244, "textWeight": 400}, {"type": 242, "textWeight": 400, "start": {"month": 256}}]})",
     R"(item 3: field "month" of "start" out of range (0..255))"},
    {R"({"kind": 1, "rows": [{"lanes": 2}], "items": [{"type": 241, "textWeight": 400, "end": {"year": 65536}}]})", R"(item 0: field "year" of "end" out of range (0..65535))"},
    {R"({"kind": 2, "rows": [{"lanes": 6}], "items": [{"type": 247, "textWeight": 400, "start": {"minute": -1}}]})", R"(item 0: field "minute" of "start" out of range (0..255))"},
    {R"({"kind": 1, "rows": [{"lanes": 2}], "items": [{"type": 244, "textWeight": 400, "progress": 300}]})", R"(item 0: field "progress" out of range (0..255))"},
    {R"({"kind": 2, "rows": [{"lanes": 6}], "items": [{"type": 247, "textWeight": 400, "progress": 5}]})", R"(item 0: field "progress" is not stored as given)"},
    {R"({"kind": 1, "rows": [{"lanes": 2}], "items": [{"type": 243, "textWeight": 400, "end": {"day": 2}}]})", R"(item 0: field "end.day" is not stored as given)"},
    {R"({"kind": 1e999})", "not valid JSON"},
    {R"({"kind": 1, "rows": [{"lanes": 2}], "items": [{"type": 241, "textWeight": 500}]})", R"(item 0: field "textWeight" must be 400 or 700)"},
    {R"({"kind": 1, "rows": [{"lanes": 2}], "items": [{"type": 241, "textWeight": 400, "textSize": 14.5}]})", R"(item 0: field "textSize" must be an integer)"},
    {R"({"kind": 1, "rows": [{"lanes": 2, "colour": 0}]})", R"(row 0: field "colour" is not a field of this record)"},
    {R"({"kind": 1, "rows": []})", R"(document: field "rows" must hold 1 to 256 rows)"},
    {R"({"kind": 1, "rows": [{"lanes": 2}], "items": {}})", R"(document: field "items" must be an array)"},
    {R"({"kind": 1, "rows": [{"lanes": 2}], )", "not valid JSON"},
    {"[1, 2]", "document: must be a JSON object"},
    {Rows(257), "must hold 1 to 256 rows"},
    // Far beyond what the format holds: refused as soon as that shows, not after the whole file.
    {Rows(1000000), "must hold 1 to 256 rows"},
    {R"({"kind": 1, "rows": [{"lanes": 2, "name": )" + std::string(110000, '[') + std::string(110000, ']') + "}]}",
     "document: nested more than 4 levels deep"},
    {Fields(30000), "document: an object holds more than 32 fields"},
};

// A refused file is not written, nor is an existing one replaced.
TEST_F(Tdtool, RefusedJsonWritesNothingAndNamesTheField)
{
    bool existing = false;
    for (const Refusal& refusal : Refusals) {
        SCOPED_TRACE(refusal.json.substr(0, 80));
        existing = !existing;
        QFile::remove(Path("out.tdp"));
        if (existing)
            WriteBytes(Path("out.tdp"), "previous");
        WriteBytes(Path("in.json"), QByteArray::fromStdString(refusal.json));
        const auto start = std::chrono::steady_clock::now();
        const ToolResult result = RunTdtool({"import", Path("in.json"), Path("out.tdp")});
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_NE(result.err.find(refusal.message), std::string::npos) << result.err;
        EXPECT_EQ(QFile::exists(Path("out.tdp")), existing);
        EXPECT_EQ(ReadBytes(Path("out.tdp")), QByteArray(existing ? "previous" : ""));
    }
    WriteBytes(Path("in.json"), QByteArray::fromStdString(Rows(256)));
    EXPECT_EQ(RunTdtool({"import", Path("in.json"), Path("out.tdp")}).exitCode, 0) << "256 rows fit";
    const ToolResult missing = RunTdtool({"import", Path("none.json"), Path("out.tdp")});
    EXPECT_TRUE(missing.exitCode == 1 && missing.err.find("none.json") != std::string::npos) << missing.err;
}

TEST_F(Tdtool, DamagedFilesReportTheReadersMessage)
{
    const QByteArray project = ReadBytes(ExamplesDir + "/project.tdp");
    ASSERT_GT(project.size(), 16);
    const auto patched = [&](int at, char value) { return QByteArray(project).replace(at, 1, &value, 1); };
    const std::vector<std::pair<QByteArray, const char*>> damaged = {
        {project.left(project.size() - 1), "Data Error !!"},
        {project.left(10), "Data Error !!"},
        {patched(1, 'X'), "Incorrect File Type !!"},
        {patched(4, 17), "Unknown File Format !!"},
    };
    for (const auto& [bytes, message] : damaged) {
        WriteBytes(Path("damaged.tdp"), bytes);
        for (const char* command : {"export", "info"}) {
            const ToolResult result = RunTdtool({command, Path("damaged.tdp")});
            EXPECT_EQ(result.exitCode, 1) << command << " " << message;
            EXPECT_NE(result.err.find(message), std::string::npos) << command << ": " << result.err;
            EXPECT_TRUE(result.out.empty()) << command;
        }
    }
    const ToolResult missing = RunTdtool({"info", Path("missing.tdp")});
    EXPECT_TRUE(missing.exitCode == 1 && missing.err.find("File Open Error !!") != std::string::npos) << missing.err;
}

// A page range past the last page is no usage error, yet it prints nothing, not even a blank sheet.
TEST_F(Tdtool, WrongUsageAndAnEmptyPageRangeWriteNothing)
{
    const std::vector<QStringList> wrong = {
        {}, {"frobnicate"}, {"info"}, {"info", "a", "b"}, {"export"}, {"import", "in.json"}, {"import", "a", "b", "c"},
        {"render", ExamplesDir + "/project.tdp"},
        {"render", ExamplesDir + "/project.tdp", "--png", Path("x.png"), "--width", "wide"},
        {"render", "--png", Path("x.png")},
        {"render", ExamplesDir + "/project.tdp", "--png", Path("x.png"), "--zoom", "10"},
        {"render", ExamplesDir + "/project.tdp", "--png", Path("x.png"), "--first-date", "2100-01-01"},
        {"render", ExamplesDir + "/project.tdp", "--png", Path("x.png"), "--scale", "0.5"},
        {"render", ExamplesDir + "/project.tdp", "--png", Path("x.png"), "--scale", "1,5"},
        {"print", ExamplesDir + "/project.tdp", "--pdf", Path("x.pdf"), "--pages", "3-2"},
        {"print", ExamplesDir + "/project.tdp", "--pdf", Path("x.pdf"), "--paper", "B5"},
        {"print", ExamplesDir + "/project.tdp", "--pdf", Path("x.pdf"), "--dpi", "10"},
    };
    for (const QStringList& args : wrong) {
        const ToolResult result = RunTdtool(args);
        EXPECT_EQ(result.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_NE(result.err.find("usage"), std::string::npos) << args.join(' ').toStdString();
    }
    const ToolResult edge = RunTdtool({"render", ExamplesDir + "/project.tdp", "--png", Path("edge.png"), "--zoom", "9",
                                       "--first-date", "2099-12-31"});
    EXPECT_EQ(edge.exitCode, 0) << "the last zoom and the last day are options still: " << edge.err;
    const ToolResult empty = RunTdtool({"print", ExamplesDir + "/project.tdp", "--pdf", Path("x.pdf"), "--pages", "2-3"});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_NE(empty.err.find("tdtool print: --pages 2-3 holds no page: the last page is 1\n"), std::string::npos) << empty.err;
    EXPECT_FALSE(QFile::exists(Path("x.png")));
    EXPECT_FALSE(QFile::exists(Path("x.pdf")));
}

// The chart must not move a pixel when its drawing is reworked: each example view is compared
// byte for byte with the image the chart gave when the reference was made.
TEST_F(Tdtool, ExampleViewsMatchTheirReferenceImages)
{
    const struct { const char* png; QStringList documents, options; } renders[] = {
        {"project-day.png", {"project.tdp"}, {"--zoom", "5", "--first-date", "2009-03-28"}},
        {"project-wide-days.png", {"project.tdp"}, {"--zoom", "7", "--first-date", "2009-04-10"}},
        {"project-month.png", {"project.tdp"}, {"--zoom", "2", "--first-date", "2009-03-15"}},
        {"project-schedule.png", {"project.tdp", "schedule.tds"}, {"--zoom", "8", "--first-date", "2009-04-01"}},
        {"schedule-project-scrolled.png", {"schedule.tds", "project.tdp"}, {"--zoom", "7", "--first-date", "2009-04-02", "--first-row", "2"}},
    };
    for (const auto& render : renders) {
        SCOPED_TRACE(render.png);
        QStringList args {"render"};
        for (const QString& document : render.documents)
            args << ExamplesDir + "/" + document;
        args << "--png" << Path(render.png) << "--width" << "1600" << "--height" << "600" << render.options;
        const ToolResult rendered = RunTdtool(args);
        ASSERT_EQ(rendered.exitCode, 0) << rendered.err;
        const QByteArray reference = ReadBytes(ReferencesDir + "/" + render.png);
        ASSERT_FALSE(reference.isEmpty());
        EXPECT_TRUE(ReadBytes(Path(render.png)) == reference) << "differs from its reference";
    }
}

bool Dark(QRgb pixel) { return qGray(pixel) < 128; }

// Rows of an image, or its columns when `level` is false, as lines of pixels.
QRgb At(const QImage& image, bool level, int line, int along)
{
    return level ? image.pixel(along, line) : image.pixel(line, along);
}

// The example charts at device pixel ratios keep their geometry: at 2, most of the picture is the
// unscaled one doubled while the text is finer than doubled pixels; at 1.5, each thin rule of the
// frame (a dark run of 60 pixels or more with light pixels on both sides) is one device pixel wide
// along its whole length.
TEST_F(Tdtool, ScaledRendersKeepTheGeometryAndDrawTextAtTheDeviceResolution)
{
    const QStringList views[] = {
        {ExamplesDir + "/project.tdp", "--zoom", "7", "--first-date", "2009-04-10"},
        {ExamplesDir + "/project.tdp", ExamplesDir + "/schedule.tds", "--zoom", "8", "--first-date", "2009-04-01"},
    };
    for (const QStringList& view : views) {
        SCOPED_TRACE(view.join(' ').toStdString());
        const auto render = [&](const char* scale) {
            const ToolResult result = RunTdtool(QStringList {"render"} << view << "--png" << Path("s.png") << "--width"
                                                << "1200" << "--height" << "500" << "--scale" << scale);
            EXPECT_EQ(result.exitCode, 0) << result.err;
            return QImage(Path("s.png")).convertToFormat(QImage::Format_RGB32);
        };
        const QImage once = render("1"), twice = render("2"), half = render("1.5");
        ASSERT_EQ(twice.size(), once.size() * 2);
        ASSERT_EQ(half.size(), once.size() * 3 / 2);
        int doubled = 0, fine = 0, rules = 0, astray = 0;
        for (int y = 0; y < twice.height(); y += 2)
            for (int x = 0; x < twice.width(); x += 2) {
                const QRgb p = twice.pixel(x, y);
                doubled += p == once.pixel(x / 2, y / 2);
                fine += p != twice.pixel(x + 1, y) || p != twice.pixel(x, y + 1) || p != twice.pixel(x + 1, y + 1);
            }
        for (bool level : {true, false}) {
            const int lines = level ? once.height() : once.width(), length = level ? once.width() : once.height();
            for (int line = 1; line + 1 < lines; ++line)
                for (int from = 0, to = 0; from < length; from = to + 1) {
                    for (to = from; to < length && Dark(At(once, level, line, to)) && !Dark(At(once, level, line - 1, to))
                                    && !Dark(At(once, level, line + 1, to));)
                        ++to;
                    if (to - from < 60)
                        continue;
                    ++rules;
                    const int device = line * 3 / 2 + line % 2;
                    for (int along = from * 3 / 2 + 1; along < to * 3 / 2 - 1; ++along)
                        astray += !Dark(At(half, level, device, along)) || Dark(At(half, level, device - 1, along))
                                  || Dark(At(half, level, device + 1, along));
                }
        }
        EXPECT_GT(rules, 20);
        EXPECT_EQ(astray, 0);
        EXPECT_GT(doubled, once.width() * once.height() * 97 / 100);
        EXPECT_GT(fine, 2000);
    }
}

TEST(PrintCommand, ExamplesBecomeAPdfWhosePagesHoldTheChartAndItsText)
{
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    QTemporaryDir dir;
    const QString pdf = dir.filePath("plan.pdf");
    const auto printed = RunTdtool({"print", ExamplesDir + "/project.tdp", ExamplesDir + "/schedule.tds",
                                    "--pdf", pdf, "--zoom", "7", "--first-date", "2009-04-01"});
    EXPECT_EQ((std::pair {printed.exitCode, printed.out}), (std::pair {0, std::string("pages: 1\n")})) << printed.err;

    const QString text = QString::fromStdString(RunProgram("pdftotext", {pdf, "-"}).out);
    for (const char* name : {"開発計画", "基本設計", "山田の予定", "朝会", "2009/4"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(name))) << name;

    // At a quarter of the printer's resolution the page is the preview's image size (poppler
    // rounds the height up).
    RunProgram("pdftoppm", {"-r", "150", "-png", "-singlefile", pdf, dir.filePath("page")});
    const QImage page(dir.filePath("page.png"));
    ASSERT_EQ(page.width(), 1240);
    ASSERT_NEAR(page.height(), 1754, 1);
    // The first row's fill, just below the header (a quarter of 472 + 216 dots).
    EXPECT_EQ(page.pixelColor(1080, 175), QColor(Qt::yellow));
    EXPECT_EQ(page.pixelColor(10, 10), QColor(Qt::white));
}

}  // namespace
