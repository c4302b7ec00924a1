// The window program's command line: what starts the window with a session,
// what only prints, and what is refused.
#include "app/StartOptions.h"

#include "Version.h"

#include <QDir>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace eee {
namespace {

using Outcome = StartOptions::Outcome;

struct StartCase
{
    const char* Name;
    std::vector<const char*> Args; // after the program's name
    Outcome What;
    const char* File; // the session to load, relative to the working folder; "" for none
    const char* Error; // the message's reason; "" when not checked
    bool MayHoldQtOptions;
};

void PrintTo(const StartCase& c, std::ostream* os)
{
    *os << c.Name;
}

class StartOptionsTest : public ::testing::TestWithParam<StartCase>
{ };

TEST_P(StartOptionsTest, ReadsTheCommandLine)
{
    const StartCase& c = GetParam();
    QStringList arguments {"/usr/bin/varn-eee-calc"};
    for (const char* arg : c.Args)
        arguments << QString::fromUtf8(arg);
    const StartOptions options(arguments);

    EXPECT_EQ(options.What(), c.What);
    const QString expectedFile
        = *c.File ? QDir::cleanPath(QDir::current().absoluteFilePath(c.File)) : QString();
    EXPECT_EQ(options.SessionFile().toStdString(), expectedFile.toStdString());
    if (c.What == Outcome::UsageError) {
        if (*c.Error) {
            EXPECT_EQ(options.ErrorText().toStdString(),
                std::string("varn-eee-calc: ") + c.Error + "\nTry 'varn-eee-calc --help'.\n");
        }
        EXPECT_EQ(options.MayHoldQtOptions(), c.MayHoldQtOptions);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, StartOptionsTest,
    ::testing::Values(StartCase {"NoArgument", {}, Outcome::Start, "", "", false},
        StartCase {
            "RelativeFile", {"sessions/mine.xml"}, Outcome::Start, "sessions/mine.xml", "", false},
        StartCase {"AbsoluteFileCleaned", {"/tmp/a/../mine.xml"}, Outcome::Start, "/tmp/mine.xml",
            "", false},
        StartCase {"FileLikeAnOptionAfterDashes", {"--", "-odd.xml"}, Outcome::Start, "-odd.xml",
            "", false},
        StartCase {"Help", {"--help"}, Outcome::Help, "", "", false},
        StartCase {"ShortHelp", {"-h"}, Outcome::Help, "", "", false},
        StartCase {"HelpAll", {"--help-all"}, Outcome::Help, "", "", false},
        StartCase {"Version", {"--version"}, Outcome::Version, "", "", false},
        StartCase {"ShortVersion", {"-v"}, Outcome::Version, "", "", false},
        StartCase {"VersionWinsOverTwoFiles", {"--version", "a.xml", "b.xml"}, Outcome::Version, "",
            "", false},
        StartCase {"TwoFiles", {"a.xml", "b.xml"}, Outcome::UsageError, "",
            "only one session file can be opened", false},
        StartCase {
            "UnknownOption", {"--bogus"}, Outcome::UsageError, "", "Unknown option 'bogus'.", true},
        // Before the application object has taken out its own options, they are unknown.
        StartCase {
            "QtOption", {"-platform", "offscreen", "a.xml"}, Outcome::UsageError, "", "", true}),
    [](const ::testing::TestParamInfo<StartCase>& info) { return info.param.Name; });

TEST(StartOptionsTexts, HelpAndVersionNameTheProgramAndItsArgument)
{
    const StartOptions options({"varn-eee-calc", "--help"});
    const QString help = options.HelpText();
    EXPECT_TRUE(help.contains("[options] [FILE]")) << help.toStdString();
    EXPECT_TRUE(help.contains("--version")) << help.toStdString();
    EXPECT_TRUE(help.contains("File > Load Session")) << help.toStdString();
    EXPECT_EQ(
        StartOptions::VersionText().toStdString(), std::string("varn-eee-calc ") + kVersion + "\n");
}

} // namespace
} // namespace eee
