// The bash completion of eee-calc-cli (packaging/eee-calc-cli.bash-completion):
// its commands and options are the program's own table, and bash completes
// with them as a user types.
#include "CliTestSupport.h"
#include "cli/Commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>

namespace eee::test {
namespace {

const std::string kCompletion = EEE_COMPLETION_PATH;

using Words = std::set<std::string>;

Words Split(const std::string& text)
{
    Words words;
    std::istringstream in(text);
    for (std::string word; in >> word;)
        words.insert(word);
    return words;
}

// The "options" and "values" of one command's line in the script.
struct ScriptLine
{
    bool Found = false;
    Words Options;
    Words Values;
};

ScriptLine CommandLine(const std::string& script, const std::string& command)
{
    const std::regex line("\\n\\s*" + command + "\\) options='([^']*)' values='([^']*)'");
    std::smatch match;
    if (!std::regex_search(script, match, line))
        return {};
    return {true, Split(match[1].str()), Split(match[2].str())};
}

TEST(Completion, KnowsEveryCommandAndOptionOfTheProgram)
{
    const std::string script = ReadFile(kCompletion);
    ASSERT_FALSE(script.empty()) << kCompletion;
    std::smatch match;
    ASSERT_TRUE(std::regex_search(script, match, std::regex("local commands='([^']*)'")));
    Words commands;
    for (const Command& command : AllCommands()) {
        commands.insert(command.Name);
        Words options {"-h", "--help"};
        Words values;
        for (const QCommandLineOption& option : command.Options()) {
            for (const QString& name : option.names()) {
                const std::string dashed = (name.size() == 1 ? "-" : "--") + name.toStdString();
                options.insert(dashed);
                if (!option.valueName().isEmpty())
                    values.insert(dashed);
            }
        }
        const ScriptLine line = CommandLine(script, command.Name);
        ASSERT_TRUE(line.Found) << "no line for " << command.Name;
        EXPECT_EQ(line.Options, options) << command.Name;
        EXPECT_EQ(line.Values, values) << command.Name;
    }
    EXPECT_EQ(Split(match[1].str()), commands);
}

class CompletionInBash : public ::testing::Test
{
protected:
    CompletionInBash()
    {
        WriteFile(m_dir / "a.xml", "");
        WriteFile(m_dir / "notes.txt", "");
        fs::create_directory(m_dir.Path() / "sub");
    }

    // What bash offers for the words typed, the last one being completed, in the
    // scratch folder; one entry a line, sorted.
    std::vector<std::string> Complete(const std::vector<std::string>& words)
    {
        std::string typed;
        for (const std::string& word : words)
            typed += " '" + word + "'";
        const std::string bash = "export XDG_CONFIG_HOME='" + (m_dir / "config") + "' && source '"
            + kCompletion + "' && COMP_WORDS=(" + typed
            + ") && COMP_CWORD=$((${#COMP_WORDS[@]} - 1)) && _eee_calc_cli"
              " && printf '%s\\n' \"${COMPREPLY[@]}\" | LC_ALL=C sort";
        const RunResult r = RunProgram("/bin/bash", {"-c", bash}, m_dir.Path().string());
        EXPECT_EQ(r.Exit, 0) << r.Err;
        EXPECT_EQ(r.Err, "");
        std::vector<std::string> offered;
        for (const std::string& line : Lines(r.Out)) {
            if (!line.empty())
                offered.push_back(line);
        }
        return offered;
    }

    TempDir m_dir;
};

using Offered = std::vector<std::string>;

TEST_F(CompletionInBash, CommandsFirstThenTheCommandsOptions)
{
    EXPECT_EQ(Complete({"eee-calc-cli", "co"}), Offered {"compare"});
    EXPECT_EQ(Complete({"eee-calc-cli", "--v"}), Offered {"--version"});
    EXPECT_EQ(
        Complete({"eee-calc-cli", "evaluate", "a.xml", "--c"}), (Offered {"--check", "--csv"}));
    EXPECT_EQ(Complete({"eee-calc-cli", "compare", "--"}), (Offered {"--help", "--json"}));
}

TEST_F(CompletionInBash, SessionFilesAsArgumentsAnyFileAsAnOutput)
{
    EXPECT_EQ(Complete({"eee-calc-cli", "compare", "a.xml", ""}), (Offered {"a.xml", "sub"}));
    EXPECT_EQ(Complete({"eee-calc-cli", "chart", "a.xml", "-o", ""}),
        (Offered {"a.xml", "notes.txt", "sub"}));
    EXPECT_EQ(Complete({"eee-calc-cli", "report", "a.xml", "--page-size", ""}),
        (Offered {"a4", "letter"}));
    EXPECT_EQ(Complete({"eee-calc-cli", "chart", "a.xml", "--width", ""}), Offered {});
}

TEST_F(CompletionInBash, ProfileNamesFromTheProgram)
{
    Offered names;
    for (const std::string& line : Lines(RunCli({"profiles", "--json"}).Out))
        names.push_back(JsonObject(line)["name"].toString().toStdString());
    std::sort(names.begin(), names.end());
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(Complete({kCliPath, "evaluate", "a.xml", "--profile", ""}), names);
    EXPECT_EQ(Complete({kCliPath, "evaluate", "a.xml", "--profile", "EEPROM"}),
        Offered {"EEPROM emulation, 55 °C"});
}

} // namespace
} // namespace eee::test
