// The command line of eee-calc-cli: "eee-calc-cli COMMAND [options] [arguments]".
// Each command is one entry of a table (see Commands.h) with its own options
// and a handler; QCommandLineParser reads the options.
//
// Arguments are bytes, and a file name need not be valid UTF-8. The parser
// sees each byte as one character (Latin-1), which comes back byte for byte,
// so that a name reaches the file system exactly as it was typed.
#pragma once

#include <QCommandLineOption>
#include <QList>

#include <any>
#include <memory>
#include <span>
#include <string>
#include <vector>

class QCommandLineParser;

namespace eee {

// The options and arguments of one command as given, in bytes.
class CommandOptions
{
public:
    explicit CommandOptions(std::unique_ptr<QCommandLineParser> parser);
    ~CommandOptions();
    CommandOptions(const CommandOptions&) = delete;
    CommandOptions& operator=(const CommandOptions&) = delete;

    // name: any of the option's names, without dashes.
    bool IsSet(const char* name) const;
    // The last value given for the option; "" when it was not given.
    std::string Value(const char* name) const;
    // The arguments that are not options, in order.
    std::vector<std::string> Positional() const;

    // What the command's check read to judge the options (a file it had to load),
    // kept for its run so that nothing is read twice.
    template <typename T> void Keep(T value) { m_kept = std::move(value); }
    // What the check kept, or nullptr.
    template <typename T> const T* Kept() const { return std::any_cast<T>(&m_kept); }

private:
    std::unique_ptr<QCommandLineParser> m_parser;
    std::any m_kept;
};

struct Command
{
    const char* Name;
    const char* Synopsis; // the usage line after the program name
    const char* Summary; // what it does, one paragraph (the help wraps it)
    // Its options; -h/--help is added to every command.
    QList<QCommandLineOption> (*Options)();
    // The usage errors the parser cannot see (a value out of range, a missing
    // file): their text, or "" when the options are fine. What it had to read
    // to tell, it may keep for Run (CommandOptions::Keep). May be null.
    std::string (*Check)(CommandOptions& options);
    // Does the work, once the options passed Check; returns the exit status.
    int (*Run)(const CommandOptions& options);
};

enum class Action { Run, Help, Version, UsageError };

struct ParsedCommandLine
{
    Action What = Action::UsageError;
    // Run: the command; Help: the command whose help was asked for, or none
    // for the program's help; UsageError: the command whose options are wrong.
    const Command* Chosen = nullptr;
    std::unique_ptr<CommandOptions> Options; // Run: the command's options
    std::string Error; // UsageError: what is wrong
};

// args: the arguments without the program name.
ParsedCommandLine ParseCommandLine(
    std::span<const Command> commands, const std::vector<std::string>& args);

// The program's help: every command's synopsis and summary, then the footer.
std::string ProgramHelp(std::span<const Command> commands, const char* footer);

// One command's help: its synopsis, summary and options.
std::string CommandHelp(const Command& command);

} // namespace eee
