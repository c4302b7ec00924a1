#include "cli/CommandLine.h"
#include "cli/ChartCommand.h"
#include "cli/Commands.h"
#include "cli/EvaluateCommand.h"

#include <gtest/gtest.h>

#include <set>

namespace eee::test {
namespace {

using Args = std::vector<std::string>;

struct AcceptCase
{
    const char* Name;
    Args Arguments;
    Action What;
    const char* CommandName = nullptr; // the command to run, or whose help was asked for
    Args Files = {};
    bool Json = false;
    std::string Output = {};
    int Width = 338;
    int Height = 236;
};

void PrintTo(const AcceptCase& c, std::ostream* os)
{
    *os << c.Name;
}

class CommandLineAcceptTest : public ::testing::TestWithParam<AcceptCase>
{ };

TEST_P(CommandLineAcceptTest, Parses)
{
    const AcceptCase& c = GetParam();
    const ParsedCommandLine parsed = ParseCommandLine(AllCommands(), c.Arguments);
    ASSERT_EQ(parsed.What, c.What) << parsed.Error;
    ASSERT_EQ(parsed.Chosen != nullptr, c.CommandName != nullptr);
    if (!c.CommandName)
        return;
    EXPECT_STREQ(parsed.Chosen->Name, c.CommandName);
    if (c.What != Action::Run)
        return;
    ASSERT_TRUE(parsed.Options);
    std::string error;
    if (std::string(c.CommandName) == "evaluate") {
        const std::optional<EvaluateOptions> options = ReadEvaluateOptions(*parsed.Options, error);
        ASSERT_TRUE(options) << error;
        EXPECT_EQ(options->Files, c.Files);
        EXPECT_EQ(options->Json, c.Json);
    } else {
        const std::optional<ChartOptions> options = ReadChartOptions(*parsed.Options, error);
        ASSERT_TRUE(options) << error;
        EXPECT_EQ(Args {options->File}, c.Files);
        EXPECT_EQ(options->Output, c.Output);
        EXPECT_EQ(options->Width, c.Width);
        EXPECT_EQ(options->Height, c.Height);
    }
}

INSTANTIATE_TEST_SUITE_P(CommandLines, CommandLineAcceptTest,
    ::testing::Values(AcceptCase {"Help", {"--help"}, Action::Help},
        AcceptCase {"ShortHelp", {"-h"}, Action::Help},
        AcceptCase {"HelpBeforeACommand", {"--help", "evaluate"}, Action::Help},
        AcceptCase {"HelpAfterCommand", {"evaluate", "a.xml", "-h"}, Action::Help, "evaluate"},
        AcceptCase {
            "HelpWinsOverAnError", {"chart", "--nonsense", "--help"}, Action::Help, "chart"},
        AcceptCase {"Version", {"--version"}, Action::Version},
        AcceptCase {"EvaluateDefaults", {"evaluate"}, Action::Run, "evaluate"},
        AcceptCase {"EvaluateJsonAnywhere", {"evaluate", "a.xml", "--json", "b.xml"}, Action::Run,
            "evaluate", {"a.xml", "b.xml"}, true},
        AcceptCase {"FileNamedLikeAnOption", {"evaluate", "--", "--json", "-h"}, Action::Run,
            "evaluate", {"--json", "-h"}},
        AcceptCase {
            "FileNamedLikeACommand", {"evaluate", "chart"}, Action::Run, "evaluate", {"chart"}},
        AcceptCase {"FileNameNotUtf8KeptByteForByte",
            {"evaluate", "caf\xe9.xml", "na\xc3\xafve.xml"}, Action::Run, "evaluate",
            {"caf\xe9.xml", "na\xc3\xafve.xml"}},
        AcceptCase {"Chart", {"chart", "a.xml", "-o", "a.png"}, Action::Run, "chart", {"a.xml"},
            false, "a.png"},
        AcceptCase {"ChartOutputNotUtf8", {"chart", "a.xml", "-o", "\xff.png"}, Action::Run,
            "chart", {"a.xml"}, false, "\xff.png"},
        AcceptCase {"ChartSized",
            {"chart", "--width", "676", "a.xml", "--height=472", "--output=b.png"}, Action::Run,
            "chart", {"a.xml"}, false, "b.png", 676, 472},
        AcceptCase {"ChartLastSizeWins",
            {"chart", "a.xml", "-o", "a.png", "--width", "5", "--width", "8192"}, Action::Run,
            "chart", {"a.xml"}, false, "a.png", 8192}),
    [](const auto& info) { return std::string(info.param.Name); });

struct RejectCase
{
    const char* Name;
    Args Arguments;
    std::string Error; // the whole message
};

void PrintTo(const RejectCase& c, std::ostream* os)
{
    *os << c.Name;
}

class CommandLineRejectTest : public ::testing::TestWithParam<RejectCase>
{ };

TEST_P(CommandLineRejectTest, IsAUsageError)
{
    const ParsedCommandLine parsed = ParseCommandLine(AllCommands(), GetParam().Arguments);
    EXPECT_EQ(parsed.What, Action::UsageError);
    EXPECT_FALSE(parsed.Options);
    EXPECT_EQ(parsed.Error, GetParam().Error);
}

INSTANTIATE_TEST_SUITE_P(CommandLines, CommandLineRejectTest,
    ::testing::Values(RejectCase {"Nothing", {}, "no command given"},
        RejectCase {"UnknownCommand", {"run", "a.xml"}, "unknown command 'run'"},
        RejectCase {"FileWithoutCommand", {"a.xml"}, "unknown command 'a.xml'"},
        RejectCase {
            "CommandOptionBeforeTheCommand", {"--json", "evaluate"}, "Unknown option 'json'."},
        RejectCase {
            "UnknownOption", {"evaluate", "--jsn", "a.xml"}, "evaluate: Unknown option 'jsn'."},
        RejectCase {"VersionIsNoCommandOption", {"evaluate", "--version"},
            "evaluate: Unknown option 'version'."},
        RejectCase {"ChartWithoutOutput", {"chart", "a.xml"},
            "chart: give the PNG file to write with -o OUT.png"},
        RejectCase {"ChartOutputMissingItsValue", {"chart", "a.xml", "-o"},
            "chart: Missing value after '-o'."},
        RejectCase {
            "ChartOutputEmpty", {"chart", "a.xml", "--output="}, "chart: -o needs a file name"},
        RejectCase {
            "ChartWithoutFile", {"chart", "-o", "a.png"}, "chart: give exactly one session file"},
        RejectCase {"ChartWithTwoFiles", {"chart", "a.xml", "b.xml", "-o", "a.png"},
            "chart: give exactly one session file"},
        RejectCase {"ChartZeroWidth", {"chart", "a.xml", "-o", "a.png", "--width", "0"},
            "chart: --width needs a whole number from 1 to 8192"},
        RejectCase {"ChartHugeHeight", {"chart", "a.xml", "-o", "a.png", "--height", "100000"},
            "chart: --height needs a whole number from 1 to 8192"},
        RejectCase {"ChartWidthNotANumber", {"chart", "a.xml", "-o", "a.png", "--width", "12px"},
            "chart: --width needs a whole number from 1 to 8192"},
        RejectCase {"ChartWidthWithSpace", {"chart", "a.xml", "-o", "a.png", "--width", " 12"},
            "chart: --width needs a whole number from 1 to 8192"},
        RejectCase {"ChartJson", {"chart", "a.xml", "-o", "a.png", "--json"},
            "chart: Unknown option 'json'."},
        RejectCase {
            "UnknownOptionNotUtf8", {"evaluate", "--\xe9"}, "evaluate: Unknown option '\xe9'."}),
    [](const auto& info) { return std::string(info.param.Name); });

// What a new command gets from the table without code of its own.
TEST(CommandTableTest, EveryCommandHasItsHelpAndAUsageLine)
{
    std::set<std::string> names;
    const std::string programHelp = ProgramHelp(AllCommands(), kHelpFooter);
    for (const Command& command : AllCommands()) {
        EXPECT_TRUE(names.insert(command.Name).second) << command.Name << " twice";
        EXPECT_NE(programHelp.find(std::string("  eee-calc-cli ") + command.Synopsis + '\n'),
            std::string::npos)
            << command.Name;
        const ParsedCommandLine parsed = ParseCommandLine(AllCommands(), {command.Name, "--help"});
        ASSERT_EQ(parsed.What, Action::Help) << command.Name;
        ASSERT_EQ(parsed.Chosen, &command);
        const std::string help = CommandHelp(command);
        EXPECT_EQ(help.rfind(std::string("Usage: eee-calc-cli ") + command.Synopsis + '\n', 0), 0u)
            << help;
        EXPECT_NE(help.find("  -h, --help"), std::string::npos) << help;
        for (const QCommandLineOption& option : command.Options())
            EXPECT_NE(help.find("--" + option.names().back().toStdString()), std::string::npos)
                << help;
    }
}

TEST(CommandTableTest, HelpLinesFitEightyColumns)
{
    std::string all = ProgramHelp(AllCommands(), kHelpFooter);
    for (const Command& command : AllCommands())
        all += CommandHelp(command);
    size_t start = 0;
    for (size_t end = all.find('\n'); end != std::string::npos; end = all.find('\n', start)) {
        EXPECT_LE(end - start, 80u) << all.substr(start, end - start);
        start = end + 1;
    }
}

} // namespace
} // namespace eee::test
