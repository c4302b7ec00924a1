// The chart command's image: fills in the in-spec and out-of-spec colours where
// the window's chart puts them.
#include "CliTestSupport.h"
#include "cli/Evaluator.h"
#include "files/FileAccess.h"
#include "files/FileDataSource.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace eee::test {
namespace {

const QColor kGreen(0, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kBackground(236, 233, 216);

struct ChartCase
{
    const char* Name;
    std::string Xml;
    bool CyclesOver; // an out-of-spec band above the cycles limit
    bool LifetimeOver; // an out-of-spec band right of the lifetime limit
};

// The layout the window's chart would have for the file, from the same evaluation in this process.
ChartLayout ExpectedLayout(const std::string& file, int width, int height)
{
    FileAccess files(ModuleFolder().string());
    FileDataSource source(files);
    SessionRecord defaults;
    std::string error;
    std::optional<SessionRecord> applied;
    if (files.ReadSession(defaults, "Defaults.xml", error))
        applied = defaults;
    Evaluator evaluator(source, applied);
    const Evaluation e = evaluator.Evaluate(file, file);
    EXPECT_TRUE(e.Ok) << e.Error;
    return evaluator.Chart().Layout(width, height);
}

double DistanceToSegment(double px, double py, double ax, double ay, double bx, double by)
{
    const double dx = bx - ax, dy = by - ay;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((px - ax) * dx + (py - ay) * dy) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// Counts the sampled plot pixels of a region away from the edges (ticks and
// labels) and from the operating line, and checks that each has the colour.
int CheckRegion(const QImage& image, const ChartLayout& layout, const ChartRect& region,
    const QColor& colour, const ChartRect* exclude = nullptr)
{
    constexpr int kEdgeMargin = 9;
    int sampled = 0;
    const ChartRect& plot = layout.Plot;
    for (int y = region.Top; y < region.Bottom; y += 3) {
        for (int x = region.Left; x < region.Right; x += 3) {
            if (x < plot.Left + kEdgeMargin || x >= plot.Right - kEdgeMargin || y < plot.Top + 2
                || y >= plot.Bottom - kEdgeMargin)
                continue;
            if (exclude && x >= exclude->Left - 2 && x < exclude->Right + 2 && y >= exclude->Top - 2
                && y < exclude->Bottom + 2)
                continue;
            if (region.Right - x <= 2 || region.Bottom - y <= 2 || x - region.Left < 2
                || y - region.Top < 2)
                continue;
            if (DistanceToSegment(
                    x, y, plot.Left, plot.Bottom, layout.OperatingX, layout.OperatingY)
                    < 6
                || std::hypot(x - layout.OperatingX, y - layout.OperatingY) < 12)
                continue;
            ++sampled;
            EXPECT_EQ(image.pixelColor(x, y), colour) << "at " << x << "," << y;
            if (image.pixelColor(x, y) != colour)
                return sampled;
        }
    }
    return sampled;
}

void PrintTo(const ChartCase& c, std::ostream* os)
{
    *os << c.Name;
}

class ChartPngTest : public ::testing::TestWithParam<ChartCase>
{ };

TEST_P(ChartPngTest, FillsMatchTheSpecEnvelope)
{
    const ChartCase& c = GetParam();
    TempDir dir;
    const std::string file = dir / "session.xml";
    const std::string png = dir / "chart.png";
    WriteFile(file, c.Xml);
    const RunResult r = RunCli({"chart", file, "-o", png});
    ASSERT_EQ(r.Exit, 0) << r.Err;

    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(png), "PNG"));
    ASSERT_EQ(image.width(), 338);
    ASSERT_EQ(image.height(), 236);
    const ChartLayout layout = ExpectedLayout(file, 338, 236);

    EXPECT_EQ(layout.InSpec.Top > layout.Plot.Top, c.CyclesOver);
    EXPECT_EQ(layout.InSpec.Right < layout.Plot.Right, c.LifetimeOver);
    EXPECT_GT(CheckRegion(image, layout, layout.InSpec, kGreen), 20);
    if (c.CyclesOver) {
        const ChartRect band {
            layout.Plot.Left, layout.Plot.Top, layout.Plot.Right, layout.InSpec.Top};
        EXPECT_GT(CheckRegion(image, layout, band, kRed), 5);
    }
    if (c.LifetimeOver) {
        const ChartRect band {
            layout.InSpec.Right, layout.InSpec.Top, layout.Plot.Right, layout.Plot.Bottom};
        EXPECT_GT(CheckRegion(image, layout, band, kRed), 5);
    }
    if (!c.CyclesOver && !c.LifetimeOver) {
        // No out-of-spec colour anywhere in the picture.
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ASSERT_NE(image.pixelColor(x, y), kRed) << "at " << x << "," << y;
    }
    EXPECT_EQ(image.pixelColor(image.width() - 1, image.height() - 1), kBackground);
}

INSTANTIATE_TEST_SUITE_P(EdgeCases, ChartPngTest,
    ::testing::Values(ChartCase {"InSpec", WorkedExampleXml(), false, false},
        ChartCase {"CyclesOverTheLimit",
            SessionXml("ECC16 Var-Length", "10", {"x4000", "x4000"}, {{512, 1000, 8, 1, 0}}), true,
            false},
        ChartCase {"LifetimeOverTheLimit", WorkedExampleXml("30"), false, true},
        ChartCase {"BothOverTheLimits",
            SessionXml(
                "ECC16 Fixed-Length", "30", {"x4000", "x4000", "x4000"}, {{128, 400, 10, 1, 0}}),
            true, true}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ChartPngSizeTest, ImageHasTheAskedSize)
{
    TempDir dir;
    const std::string file = dir / "session.xml";
    const std::string png = dir / "chart.png";
    WriteFile(
        file, SessionXml("ECC16 Var-Length", "10", {"x4000", "x4000"}, {{512, 1000, 8, 1, 0}}));
    const RunResult r = RunCli({"chart", file, "-o", png, "--width", "676", "--height", "472"});
    ASSERT_EQ(r.Exit, 0) << r.Err;
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(png), "PNG"));
    EXPECT_EQ(image.width(), 676);
    EXPECT_EQ(image.height(), 472);
    const ChartLayout layout = ExpectedLayout(file, 676, 472);
    EXPECT_GT(CheckRegion(image, layout, layout.InSpec, kGreen), 20);
    const ChartRect band {layout.Plot.Left, layout.Plot.Top, layout.Plot.Right, layout.InSpec.Top};
    EXPECT_GT(CheckRegion(image, layout, band, kRed), 20);
}

TEST(ChartPngErrorTest, RejectedFileWritesNoImage)
{
    TempDir dir;
    const std::string file = dir / "session.xml";
    const std::string png = dir / "chart.png";
    WriteFile(file, WorkedExampleXml("0.01"));
    const RunResult r = RunCli({"chart", file, "-o", png});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_TRUE(Contains(r.Err, "Invalid Life time.")) << r.Err;
    EXPECT_FALSE(fs::exists(png));
}

TEST(ChartPngErrorTest, UnwritableImageIsAnErrorThatSaysWhy)
{
    TempDir dir;
    const std::string file = dir / "session.xml";
    WriteFile(file, WorkedExampleXml());
    const std::string png = dir / "missing/folder/chart.png";
    const RunResult r = RunCli({"chart", file, "-o", png});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_EQ(r.Err, "eee-calc-cli: could not write " + png + ": No such file or directory\n");
}

std::vector<std::string> FolderContents(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A disk that fills up while the image is written: the earlier image stays
// whole and no partial file is left behind. The file size limit stands in for
// the full disk (the write fails the same way, with the limit's own reason).
TEST(ChartPngErrorTest, FailedWriteKeepsTheEarlierImage)
{
    TempDir dir;
    const std::string file = dir / "session.xml";
    const std::string png = dir / "chart.png";
    WriteFile(file, WorkedExampleXml());
    const std::string earlier(300, 'e');
    WriteFile(png, earlier);
    const RunResult r = RunProgram("/bin/sh",
        {"-c", "ulimit -f 1 && trap '' XFSZ && exec \"$0\" chart \"$1\" -o \"$2\"", kCliPath, file,
            png});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_EQ(r.Err, "eee-calc-cli: could not write " + png + ": File too large\n");
    EXPECT_EQ(ReadFile(png), earlier);
    EXPECT_EQ(FolderContents(dir.Path()), (std::vector<std::string> {"chart.png", "session.xml"}));

    // Without the limit the same command replaces it.
    const RunResult again = RunCli({"chart", file, "-o", png});
    EXPECT_EQ(again.Exit, 0) << again.Err;
    QImage image;
    EXPECT_TRUE(image.load(QString::fromStdString(png), "PNG"));
    EXPECT_EQ(FolderContents(dir.Path()), (std::vector<std::string> {"chart.png", "session.xml"}));
}

// A pipe is written to, not replaced: the image can go to another program.
TEST(ChartPngErrorTest, ImageToAPipe)
{
    TempDir dir;
    const std::string file = dir / "session.xml";
    WriteFile(file, WorkedExampleXml());
    const RunResult r
        = RunProgram("/bin/sh", {"-c", "\"$0\" chart \"$1\" -o /dev/stdout | cat", kCliPath, file});
    EXPECT_EQ(r.Err, "");
    QImage image;
    ASSERT_TRUE(image.loadFromData(QByteArray::fromStdString(r.Out), "PNG"));
    EXPECT_EQ(image.width(), 338);
}

} // namespace
} // namespace eee::test
