#include "tests/tools/ToolsTestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

namespace {

using td::testing::ExamplesDir;
using td::testing::ReadBytes;
const QString ReferencesDir = QStringLiteral(TD_RENDER_REFERENCES_DIR);

struct ReferenceRender { const char* png; QStringList documents, options; };

void PrintTo(const ReferenceRender& render, std::ostream* out)
{
    *out << render.png;
}

class RenderReference : public ::testing::TestWithParam<ReferenceRender> {};

// The chart must not move a pixel when its drawing is reworked: each example view is compared
// byte for byte with the image the chart gave when the reference was made.
TEST_P(RenderReference, MatchesTheReferenceImage)
{
    const ReferenceRender& render = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString png = dir.filePath(QString::fromUtf8(render.png));
    QStringList args{QStringLiteral("render")};
    for (const QString& document : render.documents)
        args << ExamplesDir + QLatin1Char('/') + document;
    args << QStringLiteral("--png") << png << QStringLiteral("--width") << QStringLiteral("1600")
         << QStringLiteral("--height") << QStringLiteral("600") << render.options;
    const td::testing::ToolResult rendered = td::testing::RunTdtool(args);
    ASSERT_EQ(rendered.exitCode, 0) << rendered.err;
    const QByteArray reference = ReadBytes(ReferencesDir + QLatin1Char('/') + render.png);
    ASSERT_FALSE(reference.isEmpty());
    EXPECT_TRUE(ReadBytes(png) == reference) << render.png << " differs from its reference";
}

INSTANTIATE_TEST_SUITE_P(
    ExamplePlans, RenderReference,
    ::testing::Values(
        ReferenceRender{"project-day.png", {"project.tdp"}, {"--zoom", "5", "--first-date", "2009-03-28"}},
        ReferenceRender{"project-wide-days.png", {"project.tdp"}, {"--zoom", "7", "--first-date", "2009-04-10"}},
        ReferenceRender{"project-month.png", {"project.tdp"}, {"--zoom", "2", "--first-date", "2009-03-15"}},
        ReferenceRender{"project-schedule.png", {"project.tdp", "schedule.tds"}, {"--zoom", "8", "--first-date", "2009-04-01"}},
        ReferenceRender{"schedule-project-scrolled.png", {"schedule.tds", "project.tdp"}, {"--zoom", "7", "--first-date", "2009-04-02", "--first-row", "2"}}),
    [](const ::testing::TestParamInfo<ReferenceRender>& info) {
        std::string name = info.param.png;
        name = name.substr(0, name.find('.'));
        std::erase(name, '-');
        return name;
    });

}  // namespace
