// eee-calc-cli sweep end to end: what it prints in each form, the plot files it writes and
// its exit status. The points themselves are the engine's (tests/calc/SweepTest.cpp).
#include "CliTestSupport.h"

#include <QJsonArray>
#include <QSvgRenderer>

#include <gtest/gtest.h>

namespace eee::test {
namespace {

TEST(SweepCommand, JsonHasOnePointPerValueWithTheRefusedOnesMarked)
{
    TempDir dir;
    const std::string file = dir / "worked.xml";
    WriteFile(file, WorkedExampleXml());
    const RunResult r = RunCli({"sweep", file, "--vary", "records:1=8:38:30", "--json"});
    ASSERT_EQ(r.Exit, 0) << r.Err;
    const QJsonObject json = JsonObject(r.Out);
    EXPECT_EQ(json["file"].toString(), Q(file));
    EXPECT_EQ(json["parameter"].toString(), "records:1");
    const QJsonArray points = json["points"].toArray();
    ASSERT_EQ(points.size(), 2);
    const QJsonObject first = points[0].toObject();
    EXPECT_EQ(first.keys(),
        (QStringList {"error", "flashCycles", "flashUsedBytes", "inSpec", "inSpecYears",
            "lifetimeUpdates", "ok", "value"}));
    EXPECT_EQ(first["value"].toInt(), 8);
    EXPECT_TRUE(first["ok"].toBool());
    EXPECT_TRUE(first["error"].isNull());
    EXPECT_EQ(first["flashCycles"].toDouble(), 10472);
    const QJsonObject refused = points[1].toObject();
    EXPECT_FALSE(refused["ok"].toBool());
    EXPECT_EQ(refused["error"].toString(),
        "Block size selected is less than the total data size. Please select a bigger block "
        "size.");
    EXPECT_TRUE(refused["flashCycles"].isNull());
}

TEST(SweepCommand, CsvHasAHeaderAndOneLinePerPoint)
{
    TempDir dir;
    const std::string file = dir / "worked.xml";
    WriteFile(file, WorkedExampleXml());
    const RunResult r
        = RunCli({"sweep", file, "--vary", "blocksize=x4000:x8000", "--csv", "--simulate"});
    ASSERT_EQ(r.Exit, 0) << r.Err;
    const std::vector<std::string> lines = Lines(r.Out);
    ASSERT_EQ(lines.size(), 4u) << r.Out; // x4000, x6000 and x8000
    EXPECT_EQ(lines[0],
        "value,ok,error,flashUsedBytes,flashCycles,inSpecYears,inSpec,lifetimeUpdates,"
        "simulatedCycles");
    EXPECT_EQ(lines[1], "x4000,true,,32768,10472,20,true,299008000,13273");
}

TEST(SweepCommand, WritesThePlotAsSvgOrPng)
{
    TempDir dir;
    const std::string file = dir / "worked.xml";
    WriteFile(file, WorkedExampleXml());
    for (const std::string name : {"plot.svg", "plot.png"}) {
        const std::string plot = dir / name;
        const RunResult r = RunCli({"sweep", file, "--vary", "updates:1=1:1000:*10", "-o", plot});
        ASSERT_EQ(r.Exit, 0) << r.Err;
        const std::string bytes = ReadFile(plot);
        if (name.ends_with(".svg")) {
            QSvgRenderer svg(QByteArray::fromStdString(bytes));
            EXPECT_TRUE(svg.isValid());
        } else {
            EXPECT_EQ(bytes.substr(1, 3), "PNG");
        }
    }
}

struct ExitCase
{
    std::vector<std::string> Args; // after "sweep FILE"
    int Exit;
    const char* Message;
};

class SweepExit : public ::testing::TestWithParam<ExitCase>
{ };

TEST_P(SweepExit, ExitsWithItsStatus)
{
    TempDir dir;
    const std::string file = dir / "worked.xml";
    WriteFile(file, WorkedExampleXml());
    std::vector<std::string> args {"sweep", file};
    args.insert(args.end(), GetParam().Args.begin(), GetParam().Args.end());
    const RunResult r = RunCli(args);
    EXPECT_EQ(r.Exit, GetParam().Exit) << r.Err;
    EXPECT_TRUE(Contains(r.Err, GetParam().Message)) << r.Err;
}

INSTANTIATE_TEST_SUITE_P(Sweeps, SweepExit,
    ::testing::Values(ExitCase {{}, 2, "sweep needs --vary"},
        ExitCase {{"--vary", "speed=1:2"}, 2, "unknown parameter 'speed'"},
        ExitCase {{"--vary", "size:3=1:2"}, 2, "data type 3 does not exist"},
        ExitCase {{"--vary", "updates:1=1:20000"}, 2, "more than 10000 points"},
        ExitCase {{"--vary", "lifetime=1:2", "--json", "--csv"}, 2, "cannot go together"},
        ExitCase {{"--vary", "lifetime=1:2", "-o", "/nonexistent/folder/p.png"}, 1,
            "could not write /nonexistent/folder/p.png"}));

TEST(SweepCommand, ARefusedSessionIsNoSweep)
{
    TempDir dir;
    const std::string file = dir / "bad.xml";
    WriteFile(file, WorkedExampleXml("150"));
    const RunResult r = RunCli({"sweep", file, "--vary", "lifetime=1:2"});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_TRUE(Contains(r.Err, "Invalid Life time")) << r.Err;
    EXPECT_EQ(r.Out, "");
}

} // namespace
} // namespace eee::test
