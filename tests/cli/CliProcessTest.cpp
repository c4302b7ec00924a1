// The built program end to end: session files in, reports and exit status out.
#include "CliTestSupport.h"

#include <QJsonArray>

#include <gtest/gtest.h>

#include <regex>

namespace eee::test {
namespace {

const std::string kInSpec = "Application InSpec for Lifetime and Endurance";
const std::string kLifetimeMessage
    = "Invalid Life time. Please select a value between 0.1 and 99, both inclusive";
const std::string kRootReason
    = "The root element must be SessionData with "
      "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" as its first attribute and "
      "xsi:noNamespaceSchemaLocation=\"SessionData.xsd\" as its second, as the calculator "
      "writes it.";

// The text of a number as written, to check its form and not only its value.
std::string WrittenNumber(const std::string& line, const std::string& key)
{
    std::smatch match;
    const std::regex pattern("\"" + key + "\":([^,}\\]]*)");
    return std::regex_search(line, match, pattern) ? match[1].str() : std::string("<none>");
}

QJsonArray Strings(const std::vector<std::string>& texts)
{
    QJsonArray array;
    for (const std::string& text : texts)
        array.append(Q(text));
    return array;
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
    const QJsonObject expected {
        {"file", Q(file)},
        {"ok", true},
        {"scheme", "ECC16 Var-Length"},
        {"lifetimeYears", 20},
        {"blocks", QJsonArray {"x4000", "x4000"}},
        {"blockBytes", QJsonArray {16384, 16384}},
        {"dataTypes",
            QJsonArray {QJsonObject {{"dataSize", 512}, {"updates", 10}, {"records", 8},
                {"frequency", "daily"}, {"customOverhead", 0}, {"recordOverhead", 32}}}},
        {"customOverheadEnabled", false},
        {"blockOverhead", 48},
        {"totalUserDataBytes", 4096},
        {"totalOverhead", 304},
        {"totalBytes", 4400},
        {"flashUsedBytes", 32768},
        {"flashUsedText", "Flash used for EEPROM emulation: 32 KB"},
        {"lifetimeUpdates", 299008000},
        {"lifetimeUpdatesText", "299,008,000"},
        {"maxUpdateRequirement", 73000},
        {"flashCycles", 10472},
        {"refreshIntervalDays", static_cast<double>(20.0L * 365.0L / 10472.0L)},
        {"refreshIntervalText", "0.69709702"},
        {"inSpecYears", 20},
        {"verdict", QJsonArray {Q(kInSpec), "", ""}},
        {"warnings", QJsonArray {}},
    };
    EXPECT_EQ(JsonObject(lines[0]), expected) << lines[0];
    // Whole numbers are written as integers.
    for (const char* key : {"lifetimeYears", "lifetimeUpdates", "maxUpdateRequirement",
             "flashCycles", "inSpecYears", "totalBytes"}) {
        EXPECT_EQ(WrittenNumber(lines[0], key).find_first_not_of("0123456789"), std::string::npos)
            << key << " in " << lines[0];
    }
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
    ASSERT_EQ(Lines(r.Out).size(), 1u) << r.Out;
    EXPECT_EQ(JsonObject(r.Out),
        (QJsonObject {{"file", Q(file)}, {"ok", false},
            {"error", Q("File " + file + " loading failed!\n" + kLifetimeMessage)},
            {"warnings", QJsonArray {}}}));
}

TEST_F(CliProcessTest, FileThatIsNotASessionIsRejected)
{
    const std::string file = Write("broken.xml", "<SessionData><Scheme>");
    const RunResult r = RunCli({"evaluate", "--json", file});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_TRUE(Contains(JsonObject(r.Out)["error"].toString().toStdString(), "loading failed!"))
        << r.Out;
}

// Where the window's refusal gives no reason (by design), the program adds one
// of its own and keeps the messages shown before the refusal.
struct RefusalCase
{
    const char* Name;
    std::string Xml;
    std::vector<std::string> Warnings;
    std::string Reason;
};

void PrintTo(const RefusalCase& c, std::ostream* os)
{
    *os << c.Name;
}

class CliRefusalTest : public CliProcessTest, public ::testing::WithParamInterface<RefusalCase>
{ };

std::string WithRootStartTag(const std::string& startTag)
{
    std::string xml = WorkedExampleXml();
    const size_t begin = xml.find("<SessionData");
    const size_t end = xml.find('>', begin);
    return xml.replace(begin, end - begin + 1, startTag);
}

TEST_P(CliRefusalTest, GivesAReasonAndKeepsTheWarnings)
{
    const RefusalCase& c = GetParam();
    const std::string file = Write("refused.xml", c.Xml);
    const std::string error = "File " + file + " loading failed!\n";

    const RunResult json = RunCli({"evaluate", "--json", file});
    EXPECT_EQ(json.Exit, 1);
    EXPECT_EQ(JsonObject(json.Out),
        (QJsonObject {{"file", Q(file)}, {"ok", false}, {"error", Q(error)},
            {"reason", Q(c.Reason)}, {"warnings", Strings(c.Warnings)}}));

    const RunResult text = RunCli({"evaluate", file});
    EXPECT_EQ(text.Exit, 1);
    std::string expected;
    for (const std::string& warning : c.Warnings)
        expected += file + ": warning: " + warning + '\n';
    expected += file + ": error: " + error + '\n' + file + ": reason: " + c.Reason + '\n';
    EXPECT_EQ(text.Err, expected);
}

INSTANTIATE_TEST_SUITE_P(Refusals, CliRefusalTest,
    ::testing::Values(
        RefusalCase {"SchemeNotInTheCatalogue",
            SessionXml("ECC64 Var-Length", "20", {"x4000", "x4000"}, {{512, 10, 8, 1, 0}}),
            {"Unable to select Scheme 'ECC64 Var-Length'."},
            "The scheme 'ECC64 Var-Length' that the file names is not one of the schemes of the "
            "catalogue SchemeInfo.xml."},
        RefusalCase {"WrongRootElement",
            "<?xml version='1.0'?>\n<Session "
            "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
            "xsi:noNamespaceSchemaLocation=\"SessionData.xsd\"/>\n",
            {}, kRootReason},
        RefusalCase {"ReversedRootAttributes",
            WithRootStartTag("<SessionData xsi:noNamespaceSchemaLocation=\"SessionData.xsd\" "
                             "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">"),
            {}, kRootReason},
        RefusalCase {"OtherAttributeFirst",
            WithRootStartTag("<SessionData version=\"1\" "
                             "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                             "xsi:noNamespaceSchemaLocation=\"SessionData.xsd\">"),
            {}, kRootReason}),
    [](const auto& info) { return std::string(info.param.Name); });

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
    const QJsonObject first = JsonObject(lines[0]);
    EXPECT_EQ(first["ok"], true);
    EXPECT_EQ(first["flashCycles"], 10472);
    EXPECT_EQ(JsonObject(lines[1]),
        (QJsonObject {{"file", Q(bad)}, {"ok", false},
            {"error",
                "Block size selected is less than the total data size. Please select a bigger "
                "block size."},
            {"warnings", QJsonArray {}}}));
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
    EXPECT_EQ(JsonObject(json.Out)["warnings"],
        (QJsonArray {"Unable to select block size 'x4001' at index '1'."}));
}

TEST_F(CliProcessTest, RelativeFileIsTakenFromTheWorkingFolder)
{
    Write("worked.xml", WorkedExampleXml());
    const RunResult r = RunCli({"evaluate", "--json", "worked.xml"}, m_dir.Path().string());
    EXPECT_EQ(r.Exit, 0) << r.Out << r.Err;
    EXPECT_EQ(JsonObject(r.Out)["file"], "worked.xml");
}

// With its working folder deleted, a relative name cannot be resolved; the
// program's own Defaults.xml must not be taken for it.
TEST_F(CliProcessTest, RelativeNameInADeletedWorkingFolderIsAnError)
{
    const std::string gone = m_dir / "gone";
    const std::string absolute = Write("worked.xml", WorkedExampleXml());
    const auto inDeletedFolder = [&](const std::vector<std::string>& args) {
        std::vector<std::string> shell {
            "-c", "cd \"$0\" && rmdir \"$0\" && exec \"$@\"", gone, kCliPath};
        shell.insert(shell.end(), args.begin(), args.end());
        fs::create_directory(gone);
        return RunProgram("/bin/sh", shell);
    };
    const std::string error = "The relative file name Defaults.xml cannot be resolved: the "
                              "working folder is not available (No such file or directory).";

    const RunResult json = inDeletedFolder({"evaluate", "--json", "Defaults.xml"});
    EXPECT_EQ(json.Exit, 1) << json.Err;
    EXPECT_EQ(JsonObject(json.Out),
        (QJsonObject {{"file", "Defaults.xml"}, {"ok", false}, {"error", Q(error)},
            {"warnings", QJsonArray {}}}));

    const RunResult text = inDeletedFolder({"evaluate", "Defaults.xml"});
    EXPECT_EQ(text.Exit, 1);
    EXPECT_EQ(text.Out, "");
    EXPECT_EQ(text.Err, "Defaults.xml: error: " + error + '\n');

    const std::string png = m_dir / "chart.png";
    const RunResult chart = inDeletedFolder({"chart", "Defaults.xml", "-o", png});
    EXPECT_EQ(chart.Exit, 1);
    EXPECT_TRUE(Contains(chart.Err, error)) << chart.Err;
    EXPECT_FALSE(fs::exists(png));

    // A full name does not depend on the working folder.
    const RunResult full = inDeletedFolder({"evaluate", "--json", absolute});
    EXPECT_EQ(full.Exit, 0) << full.Err;
    EXPECT_EQ(JsonObject(full.Out)["flashCycles"], 10472);
}

TEST_F(CliProcessTest, WithoutFileTheDeliveredDefaultsAreEvaluated)
{
    const RunResult r = RunCli({"evaluate", "--json"});
    EXPECT_EQ(r.Exit, 0) << r.Out << r.Err;
    const QJsonObject json = JsonObject(r.Out);
    EXPECT_EQ(json["file"], Q((ModuleFolder() / "Defaults.xml").string()));
    EXPECT_EQ(json["ok"], true);
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
    EXPECT_EQ(JsonObject(defaults.Out)["file"], Q((bin / "Defaults.xml").string()));
    EXPECT_EQ(RunProgram(program.string(), {"evaluate", file}).Exit, 0);

    // Without its schema beside it, the copy can no longer validate sessions.
    fs::remove(bin / "SessionData.xsd");
    const RunResult r = RunProgram(program.string(), {"evaluate", "--json", file});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_EQ(JsonObject(r.Out)["ok"], false);
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
    EXPECT_TRUE(Contains(help.Out, "2 for a usage error")) << help.Out;
    const RunResult chartHelp = RunCli({"chart", "--help"});
    EXPECT_EQ(chartHelp.Exit, 0);
    EXPECT_EQ(chartHelp.Out.rfind("Usage: eee-calc-cli chart FILE.xml -o OUT.png", 0), 0u)
        << chartHelp.Out;
    EXPECT_TRUE(Contains(chartHelp.Out, "  -o, --output <OUT.png>")) << chartHelp.Out;
}

struct UsageCase
{
    const char* Name;
    std::vector<std::string> Arguments;
    std::string Err;
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
    EXPECT_EQ(r.Err, GetParam().Err);
}

INSTANTIATE_TEST_SUITE_P(CommandLines, CliUsageErrorTest,
    ::testing::Values(UsageCase {"NoArguments", {},
                          "eee-calc-cli: no command given\nTry 'eee-calc-cli --help'.\n"},
        UsageCase {"UnknownCommand", {"calculate"},
            "eee-calc-cli: unknown command 'calculate'\nTry 'eee-calc-cli --help'.\n"},
        UsageCase {"UnknownOption", {"evaluate", "--xml"},
            "eee-calc-cli: evaluate: Unknown option 'xml'.\nTry 'eee-calc-cli evaluate --help'.\n"},
        UsageCase {"ChartWithoutOutput", {"chart", "a.xml"},
            "eee-calc-cli: chart: give the PNG file to write with -o OUT.png\nTry 'eee-calc-cli "
            "chart --help'.\n"},
        UsageCase {"ChartBadWidth", {"chart", "a.xml", "-o", "a.png", "--width", "-3"},
            "eee-calc-cli: chart: --width needs a whole number from 1 to 8192\nTry 'eee-calc-cli "
            "chart --help'.\n"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(CliProcessTest, PathThroughALinkAndDotDotGoesWhereTheLinkLeads)
{
    const fs::path base = m_dir.Path();
    fs::create_directories(base / "real" / "sub");
    fs::create_directory_symlink(base / "real" / "sub", base / "link");
    Write("real/f.xml", WorkedExampleXml());
    const RunResult r = RunCli({"evaluate", "--json", "link/../f.xml"}, m_dir.Path().string());
    EXPECT_EQ(r.Exit, 0) << r.Out << r.Err;
    EXPECT_EQ(JsonObject(r.Out)["flashCycles"], 10472);
}

// Results that cannot be written must not look like success to a script.
TEST_F(CliProcessTest, LostOutputIsAFailure)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    const RunResult evaluate
        = RunProgram("/bin/sh", {"-c", "exec \"$0\" evaluate --json >/dev/full", kCliPath});
    EXPECT_EQ(evaluate.Exit, 1) << evaluate.Err;
    EXPECT_TRUE(Contains(evaluate.Err, "could not write the results to standard output"))
        << evaluate.Err;
    const std::string file = Write("worked.xml", WorkedExampleXml());
    const RunResult chart = RunCli({"chart", file, "-o", "/dev/full"});
    EXPECT_EQ(chart.Exit, 1) << chart.Err;
    EXPECT_TRUE(Contains(chart.Err, "could not write /dev/full: No space left on device"))
        << chart.Err;
}

} // namespace
} // namespace eee::test
