// The built program end to end: session files in, reports and exit status out.
#include "CliTestSupport.h"
#include "JsonScan.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace eee::test {
namespace {

const std::string kInSpec = "Application InSpec for Lifetime and Endurance";
const std::string kLifetimeMessage
    = "Invalid Life time. Please select a value between 0.1 and 99, both inclusive";

double Number(const std::string& json, const std::string& key)
{
    const std::string value = TopLevelValue(json, key);
    EXPECT_FALSE(value.empty()) << key;
    return std::strtod(value.c_str(), nullptr);
}

class CliProcessTest : public ::testing::Test
{
protected:
    std::string Write(const std::string& name, const std::string& xml)
    {
        const std::string path = m_dir / name;
        WriteFile(path, xml);
        return path;
    }
    TempDir m_dir;
};

TEST_F(CliProcessTest, WorkedExampleAsText)
{
    const std::string file = Write("worked.xml", WorkedExampleXml());
    const RunResult r = RunCli({"evaluate", file});
    EXPECT_EQ(r.Exit, 0) << r.Err;
    EXPECT_EQ(r.Err, "");
    const std::vector<std::string> lines = Lines(r.Out);
    for (const std::string& expected : {
             "File: " + file,
             std::string("Scheme: ECC16 Var-Length"),
             std::string("LifeTime (Years): 20"),
             std::string("Block Size: x4000 (16384 bytes), x4000 (16384 bytes)"),
             std::string("  DataType1: Average Data Record Size 512, Updates 10 Daily, Number of "
                         "Records 8, Overhead 32"),
             std::string("Total User Data Bytes: 4096"),
             std::string("Total Overhead: 304"),
             std::string("Total User Bytes + Overhead: 4400"),
             std::string("Total Application Lifetime Updates: 299,008,000"),
             std::string("Maximum EEPROM Update Requirements: 73000"),
             std::string("Estimated Flash Cycles: 10472"),
             std::string("Mean Time between Refresh Cycles (days): 0.69709702"),
             "  " + kInSpec,
             std::string("Memory Usage : Flash used for EEPROM emulation: 32 KB"),
         }) {
        EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end()) << expected << "\n"
                                                                                << r.Out;
    }
}

TEST_F(CliProcessTest, WorkedExampleAsJson)
{
    const std::string file = Write("worked.xml", WorkedExampleXml());
    const RunResult r = RunCli({"evaluate", "--json", file});
    EXPECT_EQ(r.Exit, 0) << r.Err;
    const std::vector<std::string> lines = Lines(r.Out);
    ASSERT_EQ(lines.size(), 1u) << r.Out;
    const std::string& json = lines[0];
    EXPECT_EQ(TopLevelKeys(json).size(), 23u) << json;
    EXPECT_EQ(TopLevelValue(json, "file"), Quoted(file));
    EXPECT_EQ(TopLevelValue(json, "ok"), "true");
    EXPECT_EQ(TopLevelValue(json, "scheme"), "\"ECC16 Var-Length\"");
    EXPECT_EQ(TopLevelValue(json, "lifetimeYears"), "20");
    EXPECT_EQ(TopLevelValue(json, "blocks"), "[\"x4000\",\"x4000\"]");
    EXPECT_EQ(TopLevelValue(json, "blockBytes"), "[16384,16384]");
    EXPECT_EQ(TopLevelValue(json, "dataTypes"),
        "[{\"dataSize\":512,\"updates\":10,\"records\":8,\"frequency\":\"daily\","
        "\"customOverhead\":0,\"recordOverhead\":32}]");
    EXPECT_EQ(TopLevelValue(json, "customOverheadEnabled"), "false");
    EXPECT_EQ(TopLevelValue(json, "blockOverhead"), "48");
    EXPECT_EQ(TopLevelValue(json, "totalUserDataBytes"), "4096");
    EXPECT_EQ(TopLevelValue(json, "totalOverhead"), "304");
    EXPECT_EQ(TopLevelValue(json, "totalBytes"), "4400");
    EXPECT_EQ(TopLevelValue(json, "flashUsedBytes"), "32768");
    EXPECT_EQ(TopLevelValue(json, "flashUsedText"), "\"Flash used for EEPROM emulation: 32 KB\"");
    EXPECT_EQ(TopLevelValue(json, "lifetimeUpdates"), "299008000");
    EXPECT_EQ(TopLevelValue(json, "lifetimeUpdatesText"), "\"299,008,000\"");
    EXPECT_EQ(TopLevelValue(json, "maxUpdateRequirement"), "73000");
    EXPECT_EQ(TopLevelValue(json, "flashCycles"), "10472");
    EXPECT_EQ(Number(json, "refreshIntervalDays"), static_cast<double>(20.0L * 365.0L / 10472.0L));
    EXPECT_EQ(TopLevelValue(json, "refreshIntervalText"), "\"0.69709702\"");
    EXPECT_EQ(TopLevelValue(json, "inSpecYears"), "20");
    EXPECT_EQ(TopLevelValue(json, "verdict"), "[\"" + kInSpec + "\",\"\",\"\"]");
    EXPECT_EQ(TopLevelValue(json, "warnings"), "[]");
}

TEST_F(CliProcessTest, RejectedFileAsText)
{
    const std::string file = Write("old.xml", WorkedExampleXml("150"));
    const RunResult r = RunCli({"evaluate", file});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(
        r.Err, file + ": error: File " + file + " loading failed!\n" + kLifetimeMessage + "\n");
}

TEST_F(CliProcessTest, RejectedFileAsJson)
{
    const std::string file = Write("old.xml", WorkedExampleXml("150"));
    const RunResult r = RunCli({"evaluate", file, "--json"});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_EQ(r.Err, "");
    EXPECT_EQ(r.Out,
        "{\"file\":\"" + file + "\",\"ok\":false,\"error\":\"File " + file + " loading failed!\\n"
            + kLifetimeMessage + "\"}\n");
}

TEST_F(CliProcessTest, FileThatIsNotASessionIsRejected)
{
    const std::string file = Write("broken.xml", "<SessionData><Scheme>");
    const RunResult r = RunCli({"evaluate", "--json", file});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_TRUE(Contains(TopLevelValue(r.Out, "error"), "loading failed!")) << r.Out;
}

TEST_F(CliProcessTest, BatchWithAGoodAndABadFileReportsBoth)
{
    const std::string good = Write("good.xml", WorkedExampleXml());
    const std::string bad = Write("bad.xml",
        SessionXml("ECC16 Var-Length", "20", {"x4000", "x4000"}, {{4096, 10, 30, 0, 0}}));

    const RunResult text = RunCli({"evaluate", good, bad});
    EXPECT_EQ(text.Exit, 1);
    EXPECT_TRUE(Contains(text.Out, "File: " + good + "\n")) << text.Out;
    EXPECT_TRUE(Contains(text.Out, "Estimated Flash Cycles: 10472\n"));
    EXPECT_FALSE(Contains(text.Out, bad));
    EXPECT_EQ(text.Err,
        bad
            + ": error: Block size selected is less than the total data size. Please select a "
              "bigger block size.\n");

    const RunResult json = RunCli({"evaluate", "--json", good, bad});
    EXPECT_EQ(json.Exit, 1);
    const std::vector<std::string> lines = Lines(json.Out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(TopLevelValue(lines[0], "ok"), "true");
    EXPECT_EQ(TopLevelValue(lines[0], "flashCycles"), "10472");
    EXPECT_EQ(TopLevelValue(lines[1], "file"), Quoted(bad));
    EXPECT_EQ(TopLevelValue(lines[1], "ok"), "false");
    EXPECT_EQ(TopLevelValue(lines[1], "error"),
        "\"Block size selected is less than the total data size. Please select a bigger block "
        "size.\"");
}

TEST_F(CliProcessTest, BlockSizeNotOfferedIsAWarning)
{
    const std::string file = Write(
        "odd.xml", SessionXml("ECC16 Var-Length", "20", {"x4000", "x4001"}, {{512, 10, 8, 1, 0}}));
    const RunResult text = RunCli({"evaluate", file});
    EXPECT_EQ(text.Exit, 0);
    EXPECT_EQ(text.Err, file + ": warning: Unable to select block size 'x4001' at index '1'.\n");
    const RunResult json = RunCli({"evaluate", "--json", file});
    EXPECT_EQ(json.Exit, 0);
    EXPECT_EQ(TopLevelValue(json.Out, "warnings"),
        "[\"Unable to select block size 'x4001' at index '1'.\"]");
}

TEST_F(CliProcessTest, RelativeFileIsTakenFromTheWorkingFolder)
{
    Write("worked.xml", WorkedExampleXml());
    const RunResult r = RunCli({"evaluate", "--json", "worked.xml"}, m_dir.Path().string());
    EXPECT_EQ(r.Exit, 0) << r.Out << r.Err;
    EXPECT_EQ(TopLevelValue(r.Out, "file"), "\"worked.xml\"");
}

TEST_F(CliProcessTest, WithoutFileTheDeliveredDefaultsAreEvaluated)
{
    const RunResult r = RunCli({"evaluate", "--json"});
    EXPECT_EQ(r.Exit, 0) << r.Out << r.Err;
    EXPECT_EQ(TopLevelValue(r.Out, "file"), Quoted((ModuleFolder() / "Defaults.xml").string()));
    EXPECT_EQ(TopLevelValue(r.Out, "ok"), "true");
}

TEST_F(CliProcessTest, CopiedProgramReadsTheDataFilesOfItsNewFolder)
{
    const fs::path bin = m_dir.Path() / "elsewhere";
    fs::create_directory(bin);
    const fs::path program = bin / "eee-calc-cli";
    fs::copy_file(kCliPath, program);
    for (const char* name : {"SchemeInfo.xml", "SchemeInfo.xsd", "SessionData.xsd", "Defaults.xml"})
        fs::copy_file(ModuleFolder() / name, bin / name);
    const std::string file = Write("worked.xml", WorkedExampleXml());

    const RunResult defaults = RunProgram(program.string(), {"evaluate", "--json"});
    EXPECT_EQ(defaults.Exit, 0) << defaults.Err;
    EXPECT_EQ(TopLevelValue(defaults.Out, "file"), Quoted((bin / "Defaults.xml").string()));
    EXPECT_EQ(RunProgram(program.string(), {"evaluate", file}).Exit, 0);

    // Without its schema beside it, the copy can no longer validate sessions.
    fs::remove(bin / "SessionData.xsd");
    const RunResult r = RunProgram(program.string(), {"evaluate", "--json", file});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_EQ(TopLevelValue(r.Out, "ok"), "false");
}

TEST(CliUsageTest, VersionAndHelp)
{
    const RunResult version = RunCli({"--version"});
    EXPECT_EQ(version.Exit, 0);
    EXPECT_EQ(version.Out, "eee-calc-cli 0.5.4\n");
    const RunResult help = RunCli({"--help"});
    EXPECT_EQ(help.Exit, 0);
    EXPECT_TRUE(Contains(help.Out, "eee-calc-cli evaluate [FILE.xml ...] [--json]"));
    EXPECT_TRUE(
        Contains(help.Out, "eee-calc-cli chart FILE.xml -o OUT.png [--width W --height H]"));
}

struct UsageCase
{
    const char* Name;
    std::vector<std::string> Arguments;
};

void PrintTo(const UsageCase& c, std::ostream* os)
{
    *os << c.Name;
}

class CliUsageErrorTest : public ::testing::TestWithParam<UsageCase>
{ };

TEST_P(CliUsageErrorTest, ExitsWithTwo)
{
    const RunResult r = RunCli(GetParam().Arguments);
    EXPECT_EQ(r.Exit, 2);
    EXPECT_EQ(r.Out, "");
    EXPECT_TRUE(Contains(r.Err, "Try 'eee-calc-cli --help'.")) << r.Err;
}

INSTANTIATE_TEST_SUITE_P(CommandLines, CliUsageErrorTest,
    ::testing::Values(UsageCase {"NoArguments", {}}, UsageCase {"UnknownCommand", {"calculate"}},
        UsageCase {"UnknownOption", {"evaluate", "--xml"}},
        UsageCase {"ChartWithoutOutput", {"chart", "a.xml"}},
        UsageCase {"ChartBadWidth", {"chart", "a.xml", "-o", "a.png", "--width", "-3"}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(CliProcessTest, PathThroughALinkAndDotDotGoesWhereTheLinkLeads)
{
    const fs::path base = m_dir.Path();
    fs::create_directories(base / "real" / "sub");
    fs::create_directory_symlink(base / "real" / "sub", base / "link");
    Write("real/f.xml", WorkedExampleXml());
    const RunResult r = RunCli({"evaluate", "--json", "link/../f.xml"}, m_dir.Path().string());
    EXPECT_EQ(r.Exit, 0) << r.Out << r.Err;
    EXPECT_EQ(TopLevelValue(r.Out, "flashCycles"), "10472");
}

// Results that cannot be written must not look like success to a script.
TEST_F(CliProcessTest, LostOutputIsAFailure)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    const RunResult evaluate
        = RunProgram("/bin/sh", {"-c", "exec \"$0\" evaluate --json >/dev/full", kCliPath});
    EXPECT_EQ(evaluate.Exit, 1) << evaluate.Err;
    const std::string file = Write("worked.xml", WorkedExampleXml());
    const RunResult chart = RunCli({"chart", file, "-o", "/dev/full"});
    EXPECT_EQ(chart.Exit, 1) << chart.Err;
    EXPECT_NE(chart.Err.find("could not write /dev/full"), std::string::npos) << chart.Err;
}

} // namespace
} // namespace eee::test
