#include "cli/CommandLine.h"

#include <gtest/gtest.h>

namespace eee::test {
namespace {

using Args = std::vector<std::string>;

struct AcceptCase
{
    const char* Name;
    Args Arguments;
    CommandKind Kind;
    Args Files;
    bool Json = false;
    std::string Output;
    int Width = 338;
    int Height = 236;
};

AcceptCase Accept(const char* name, Args arguments, CommandKind kind, Args files = {},
    bool json = false, std::string output = {}, int width = 338, int height = 236)
{
    return AcceptCase {
        name, std::move(arguments), kind, std::move(files), json, std::move(output), width, height};
}

void PrintTo(const AcceptCase& c, std::ostream* os)
{
    *os << c.Name;
}

class CommandLineAcceptTest : public ::testing::TestWithParam<AcceptCase>
{ };

TEST_P(CommandLineAcceptTest, Parses)
{
    const AcceptCase& c = GetParam();
    const ParsedCommandLine parsed = ParseCommandLine(c.Arguments);
    ASSERT_TRUE(parsed.Command) << parsed.Error;
    EXPECT_EQ(parsed.Command->Kind, c.Kind);
    EXPECT_EQ(parsed.Command->Files, c.Files);
    EXPECT_EQ(parsed.Command->Json, c.Json);
    EXPECT_EQ(parsed.Command->Output, c.Output);
    EXPECT_EQ(parsed.Command->Width, c.Width);
    EXPECT_EQ(parsed.Command->Height, c.Height);
}

INSTANTIATE_TEST_SUITE_P(CommandLines, CommandLineAcceptTest,
    ::testing::Values(Accept("Help", {"--help"}, CommandKind::Help),
        Accept("HelpAfterCommand", {"evaluate", "a.xml", "-h"}, CommandKind::Help),
        Accept("Version", {"--version"}, CommandKind::Version),
        Accept("EvaluateDefaults", {"evaluate"}, CommandKind::Evaluate),
        Accept("EvaluateJsonAnywhere", {"evaluate", "a.xml", "--json", "b.xml"},
            CommandKind::Evaluate, {"a.xml", "b.xml"}, true),
        Accept("FileNamedLikeAnOption", {"evaluate", "--", "--json", "-h"}, CommandKind::Evaluate,
            {"--json", "-h"}),
        Accept("Chart", {"chart", "a.xml", "-o", "a.png"}, CommandKind::Chart, {"a.xml"}, false,
            "a.png"),
        Accept("ChartSized", {"chart", "--width", "676", "a.xml", "--height=472", "--output=b.png"},
            CommandKind::Chart, {"a.xml"}, false, "b.png", 676, 472)),
    [](const auto& info) { return std::string(info.param.Name); });

struct RejectCase
{
    const char* Name;
    Args Arguments;
};

void PrintTo(const RejectCase& c, std::ostream* os)
{
    *os << c.Name;
}

class CommandLineRejectTest : public ::testing::TestWithParam<RejectCase>
{ };

TEST_P(CommandLineRejectTest, IsAUsageError)
{
    const ParsedCommandLine parsed = ParseCommandLine(GetParam().Arguments);
    EXPECT_FALSE(parsed.Command);
    EXPECT_FALSE(parsed.Error.empty());
}

INSTANTIATE_TEST_SUITE_P(CommandLines, CommandLineRejectTest,
    ::testing::Values(RejectCase {"Nothing", {}}, RejectCase {"UnknownCommand", {"run", "a.xml"}},
        RejectCase {"FileWithoutCommand", {"a.xml"}},
        RejectCase {"UnknownOption", {"evaluate", "--jsn", "a.xml"}},
        RejectCase {"ChartWithoutOutput", {"chart", "a.xml"}},
        RejectCase {"ChartOutputMissingItsValue", {"chart", "a.xml", "-o"}},
        RejectCase {"ChartWithoutFile", {"chart", "-o", "a.png"}},
        RejectCase {"ChartWithTwoFiles", {"chart", "a.xml", "b.xml", "-o", "a.png"}},
        RejectCase {"ChartZeroWidth", {"chart", "a.xml", "-o", "a.png", "--width", "0"}},
        RejectCase {"ChartHugeHeight", {"chart", "a.xml", "-o", "a.png", "--height", "100000"}},
        RejectCase {"ChartWidthNotANumber", {"chart", "a.xml", "-o", "a.png", "--width", "12px"}},
        RejectCase {"ChartJson", {"chart", "a.xml", "-o", "a.png", "--json"}}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace eee::test
