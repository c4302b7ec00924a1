// eee-calc-cli simulate: its options, the JSON of a simulation built from known
// figures, and the built program end to end (what it simulates, exit status, refusals).
// The simulation's own numbers are the engine's (tests/calc/WearSimulationTest.cpp).
#include "CliTestSupport.h"

#include "cli/Commands.h"
#include "cli/ReportCommand.h"
#include "cli/SimulateCommand.h"

#include <QJsonArray>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace eee::test {
namespace {

// Through the program's own command line: the options of the simulate command.
struct OptionCase
{
    const char* Name;
    std::vector<std::string> Args;
    std::optional<int64_t> MaxWrites; // none: a usage error
    bool Json = false;
    bool Check = false;
    std::vector<std::string> Files = {};
};

void PrintTo(const OptionCase& c, std::ostream* os)
{
    *os << c.Name;
}

class SimulateOptionsTest : public ::testing::TestWithParam<OptionCase>
{ };

TEST_P(SimulateOptionsTest, ValuesAreReadOrRefused)
{
    const OptionCase& c = GetParam();
    std::vector<std::string> args {"simulate"};
    args.insert(args.end(), c.Args.begin(), c.Args.end());
    const ParsedCommandLine parsed = ParseCommandLine(AllCommands(), args);
    if (!c.MaxWrites) {
        EXPECT_EQ(parsed.What, Action::UsageError);
        EXPECT_TRUE(Contains(parsed.Error, "simulate: invalid max-writes '")) << parsed.Error;
        EXPECT_TRUE(Contains(parsed.Error, "': a whole number of at least 1")) << parsed.Error;
        return;
    }
    ASSERT_EQ(parsed.What, Action::Run) << parsed.Error;
    std::string error;
    const std::optional<SimulateOptions> options = ReadSimulateOptions(*parsed.Options, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->MaxWrites, *c.MaxWrites);
    EXPECT_EQ(options->Json, c.Json);
    EXPECT_EQ(options->Check, c.Check);
    EXPECT_EQ(options->Files, c.Files);
}

INSTANTIATE_TEST_SUITE_P(Table, SimulateOptionsTest,
    ::testing::Values(OptionCase {"Defaults", {}, kDefaultMaxWrites},
        OptionCase {"Everything", {"a.xml", "--json", "--check", "--max-writes", "1", "b.xml"}, 1,
            true, true, {"a.xml", "b.xml"}},
        OptionCase {"Large", {"--max-writes=9000000000"}, int64_t {9000000000}},
        OptionCase {"Zero", {"--max-writes", "0"}, std::nullopt},
        OptionCase {"Negative", {"--max-writes", "-5"}, std::nullopt},
        OptionCase {"Fraction", {"--max-writes", "1.5"}, std::nullopt},
        OptionCase {"Word", {"--max-writes", "many"}, std::nullopt},
        OptionCase {"TooLarge", {"--max-writes", "99999999999999999999"}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.Name); });

// A result whose every figure differs from the others, so that a figure under the
// wrong key shows.
SimulationResult DistinctResult()
{
    SimulationResult r;
    r.Status = SimulationStatus::Ok;
    r.BlockCount = 3;
    r.BlockErases = {101.5, 102, 103.25};
    r.MaxBlockErases = 103.25;
    r.MeanBlockErases = 102.25;
    r.SimulatedCycles = 104;
    r.EstimatedCycles = 80;
    r.HasRatio = true;
    r.Ratio = 1.290625;
    r.Writes = 2000;
    r.TotalWrites = 9000000000;
    r.Projected = true;
    r.PayloadBytes = 5001;
    r.RecordOverheadBytes = 5002;
    r.GcBytes = 5003 + 5004;
    r.CloseWasteBytes = 5005;
    r.GcBytesByType = {5003, 5004, 0, 0, 0, 7};
    r.LargestGcBytes = 5006;
    r.WriteAmplification = 3.0007;
    r.Fits = true;
    r.Note = "A note.";
    return r;
}

TEST(SimulationToJsonTest, EveryFigureHasItsKey)
{
    const QJsonObject expected {
        {"status", "ok"},
        {"blockErases", QJsonArray {101.5, 102, 103.25}},
        {"maxBlockErases", 103.25},
        {"meanBlockErases", 102.25},
        {"simulatedCycles", 104},
        {"estimatedCycles", 80},
        {"ratio", 1.290625},
        {"writes", 2000},
        {"totalWrites", qint64 {9000000000}},
        {"projected", true},
        {"payloadBytes", 5001},
        {"recordOverheadBytes", 5002},
        {"gcBytes", 10007},
        {"closeWasteBytes", 5005},
        {"gcBytesByType", QJsonArray {5003, 5004}},
        {"largestGcBytes", 5006},
        {"writeAmplification", 3.0007},
        {"fits", true},
        {"note", "A note."},
    };
    EXPECT_EQ(SimulationToJson(DistinctResult(), 2), expected);
}

TEST(SimulationToJsonTest, NoEstimateGivesANullRatioAndAStopItsStatus)
{
    SimulationResult r = DistinctResult();
    r.HasRatio = false;
    r.Status = SimulationStatus::NoRoomAfterCloses;
    r.Fits = false;
    const QJsonObject json = SimulationToJson(r, 6);
    EXPECT_TRUE(json["ratio"].isNull());
    EXPECT_EQ(json["status"], "no-room-after-closes");
    EXPECT_EQ(json["fits"], false);
    EXPECT_EQ(json["gcBytesByType"].toArray().size(), 6);
}

TEST(SimulationFailsTest, FailsWhenItDoesNotFitOrPassesTheLimit)
{
    SimulationResult r = DistinctResult();
    r.SimulatedCycles = kCyclesLimit;
    EXPECT_FALSE(SimulationFails(r, kCyclesLimit));
    r.SimulatedCycles = kCyclesLimit + 1;
    EXPECT_TRUE(SimulationFails(r, kCyclesLimit));
    r.SimulatedCycles = 1;
    r.Fits = false;
    EXPECT_TRUE(SimulationFails(r, kCyclesLimit));
}

TEST(SimulationReportTest, ShowsBlocksAndBytesOnlyOfARunThatReachedItsEnd)
{
    Evaluation e;
    e.File = "f.xml";
    e.Ok = true;
    e.Config.DataTypeCount = 2;
    SimulationResult r = DistinctResult();
    r.BlockCapacity = {16336, 8000, 100};
    const std::vector<std::string> lines = Lines(SimulationReport(e, r));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines.front(), "File: f.xml");
    EXPECT_EQ(lines.back(), "Note: A note.");
    for (const std::string expected : {
             "  Block 1 (16,336 bytes of records): 101.50",
             "  Block 3 (100 bytes of records): 103.25",
             "Bytes programmed in the second half of the simulated writes:",
             "  Copies of DataType2: 5,004 (20.0 %)",
             "  Close waste: 5,005 (20.0 %)",
         }) {
        EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end()) << expected;
    }

    r.Fits = false;
    r.Note = "It does not fit.";
    EXPECT_EQ(SimulationReport(e, r),
        "File: f.xml\nEstimated flash cycles: 80\nNote: It does not fit.\n");
}

class SimulateProcessTest : public ::testing::Test
{
protected:
    std::string Write(const std::string& name, const std::string& xml)
    {
        const std::string path = m_dir / name;
        WriteFile(path, xml);
        return path;
    }
    // The worked example with a number of records: 8 fits (13,273 simulated cycles), 29
    // passes the cycles limit, 30 fills a block so that no write finds room.
    std::string WorkedExample(int records)
    {
        return Write("worked" + std::to_string(records) + ".xml",
            SessionXml("ECC16 Var-Length", "20", {"x4000", "x4000"}, {{512, 10, records, 1, 0}}));
    }
    TempDir m_dir;
};

TEST_F(SimulateProcessTest, EvaluatedFileGivesItsEstimateAndItsSimulation)
{
    const std::string file = WorkedExample(8);
    const RunResult r = RunCli({"simulate", "--json", file});
    EXPECT_EQ(r.Exit, 0) << r.Err;
    EXPECT_EQ(r.Err, "");
    ASSERT_EQ(Lines(r.Out).size(), 1u) << r.Out;
    const QJsonObject json = JsonObject(r.Out);
    EXPECT_EQ(
        json.keys(), (QStringList {"estimatedCycles", "file", "ok", "simulation", "warnings"}));
    EXPECT_EQ(json["file"], Q(file));
    EXPECT_EQ(json["ok"], true);
    EXPECT_EQ(json["warnings"], QJsonArray {});
    EXPECT_EQ(json["estimatedCycles"], 10472);
    // The simulation of this file's workload, as SimulationToJson writes it.
    const QJsonObject simulation = json["simulation"].toObject();
    EXPECT_EQ(simulation["estimatedCycles"], 10472);
    EXPECT_EQ(simulation["totalWrites"], 584000);

    const RunResult text = RunCli({"simulate", file});
    EXPECT_EQ(text.Exit, 0) << text.Err;
    EXPECT_EQ(Lines(text.Out).front(), "File: " + file);
    EXPECT_EQ(Lines(text.Out).back(), "Note: " + simulation["note"].toString().toStdString());
}

TEST_F(SimulateProcessTest, MaxWritesCapsTheSimulatedWrites)
{
    const RunResult r = RunCli({"simulate", "--json", "--max-writes", "1000", WorkedExample(8)});
    EXPECT_EQ(r.Exit, 0) << r.Err;
    const QJsonObject simulation = JsonObject(r.Out)["simulation"].toObject();
    EXPECT_EQ(simulation["writes"], 1000);
    EXPECT_EQ(simulation["projected"], true);
}

TEST_F(SimulateProcessTest, WithoutAFileTheDeliveredDefaultsAreSimulated)
{
    const RunResult r = RunCli({"simulate", "--json"});
    EXPECT_EQ(r.Exit, 0) << r.Err;
    const QJsonObject json = JsonObject(r.Out);
    EXPECT_EQ(json["file"], Q((ModuleFolder() / "Defaults.xml").string()));
    EXPECT_EQ(json["simulation"].toObject()["status"], "ok");
}

TEST_F(SimulateProcessTest, RefusedFileIsReportedAsEvaluateReportsIt)
{
    const std::string file = Write("old.xml", WorkedExampleXml("150"));
    for (const char* mode : {"--json", "--check"}) {
        const RunResult evaluate = RunCli({"evaluate", mode, file});
        const RunResult simulate = RunCli({"simulate", mode, file});
        EXPECT_EQ(simulate.Exit, 1) << mode;
        EXPECT_EQ(simulate.Out, evaluate.Out) << mode;
        EXPECT_EQ(simulate.Err, evaluate.Err) << mode;
    }
}

struct CheckCase
{
    const char* Name;
    std::vector<int> Records; // one worked-example file each
    bool Check;
    int Exit;
};

void PrintTo(const CheckCase& c, std::ostream* os)
{
    *os << c.Name;
}

class SimulateCheckTest : public SimulateProcessTest,
                          public ::testing::WithParamInterface<CheckCase>
{ };

TEST_P(SimulateCheckTest, ExitStatusSaysWhatFailed)
{
    const CheckCase& c = GetParam();
    std::vector<std::string> args {"simulate"};
    if (c.Check)
        args.push_back("--check");
    for (const int records : c.Records)
        args.push_back(
            records > 0 ? WorkedExample(records) : Write("old.xml", WorkedExampleXml("150")));
    const RunResult r = RunCli(args);
    EXPECT_EQ(r.Exit, c.Exit) << r.Out << r.Err;
    // Every evaluated file is reported, whatever the status.
    const std::vector<std::string> lines = Lines(r.Out);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                  [](const std::string& line) { return line.starts_with("Note: "); }),
        std::count_if(c.Records.begin(), c.Records.end(), [](int n) { return n > 0; }))
        << r.Out;
}

// Records 0 stands for a refused file.
INSTANTIATE_TEST_SUITE_P(Table, SimulateCheckTest,
    ::testing::Values(CheckCase {"WithinTheLimit", {8}, true, 0},
        CheckCase {"PassesTheLimit", {8, 29}, true, kOutOfSpecStatus},
        CheckCase {"DoesNotFit", {30}, true, kOutOfSpecStatus},
        CheckCase {"WithoutCheck", {29, 30}, false, 0},
        CheckCase {"RefusedComesFirst", {30, 0}, true, 1}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(SimulateProcessTest, BadMaxWritesIsAUsageError)
{
    const RunResult r = RunCli({"simulate", "--max-writes", "0", WorkedExample(8)});
    EXPECT_EQ(r.Exit, 2);
    EXPECT_EQ(r.Out, "");
    EXPECT_TRUE(Contains(r.Err, "invalid max-writes '0'")) << r.Err;
}

} // namespace
} // namespace eee::test
