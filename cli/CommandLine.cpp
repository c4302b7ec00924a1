#include "cli/CommandLine.h"

#include "cli/Console.h"

#include <QCommandLineParser>
#include <QStringList>

#include <algorithm>
#include <sstream>

namespace eee {

namespace {

constexpr size_t kHelpWidth = 80;

QString ArgumentText(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string ArgumentBytes(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

QCommandLineOption HelpOption()
{
    return QCommandLineOption({"h", "help"}, "Shows this help.");
}

QCommandLineOption VersionOption()
{
    return QCommandLineOption("version", "Shows the program's version.");
}

ParsedCommandLine Outcome(Action what, const Command* command = nullptr)
{
    ParsedCommandLine parsed;
    parsed.What = what;
    parsed.Chosen = command;
    return parsed;
}

ParsedCommandLine Failure(std::string error, const Command* command = nullptr)
{
    ParsedCommandLine parsed = Outcome(Action::UsageError, command);
    parsed.Error = command ? std::string(command->Name) + ": " + error : std::move(error);
    return parsed;
}

// Fills lines of at most kHelpWidth columns with the words of text; every
// line but the first starts with indent spaces (the first is already placed).
std::string Wrapped(const std::string& text, size_t indent)
{
    std::istringstream words(text);
    std::string out;
    size_t column = indent;
    bool lineStarted = false;
    for (std::string word; words >> word;) {
        if (lineStarted && column + 1 + word.size() > kHelpWidth) {
            out += '\n' + std::string(indent, ' ');
            column = indent;
            lineStarted = false;
        }
        if (lineStarted) {
            out += ' ';
            ++column;
        }
        out += word;
        column += word.size();
        lineStarted = true;
    }
    return out + '\n';
}

std::string Padded(const std::string& text, size_t width)
{
    return text + std::string(width > text.size() ? width - text.size() : 0, ' ');
}

std::string OptionNames(const QCommandLineOption& option)
{
    std::string names;
    for (const QString& name : option.names()) {
        if (!names.empty())
            names += ", ";
        names += (name.size() == 1 ? "-" : "--") + name.toStdString();
    }
    if (!option.valueName().isEmpty())
        names += " <" + option.valueName().toStdString() + '>';
    return names;
}

} // namespace

CommandOptions::CommandOptions(std::unique_ptr<QCommandLineParser> parser)
    : m_parser(std::move(parser))
{ }

CommandOptions::~CommandOptions() = default;

bool CommandOptions::IsSet(const char* name) const
{
    return m_parser->isSet(QString::fromLatin1(name));
}

std::string CommandOptions::Value(const char* name) const
{
    return ArgumentBytes(m_parser->value(QString::fromLatin1(name)));
}

std::vector<std::string> CommandOptions::Positional() const
{
    std::vector<std::string> arguments;
    for (const QString& argument : m_parser->positionalArguments())
        arguments.push_back(ArgumentBytes(argument));
    return arguments;
}

ParsedCommandLine ParseCommandLine(
    std::span<const Command> commands, const std::vector<std::string>& args)
{
    QStringList texts {QString::fromLatin1(kProgram)};
    for (const std::string& arg : args)
        texts.append(ArgumentText(arg));

    // First the program's own options up to the command's name; everything
    // after the name belongs to the command.
    QCommandLineParser program;
    program.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help = HelpOption();
    const QCommandLineOption version = VersionOption();
    program.addOptions({help, version});
    const bool programParsed = program.parse(texts);
    // Help wins over every other mistake on the line, as the user asked for it.
    if (program.isSet(help))
        return Outcome(Action::Help);
    if (!programParsed)
        return Failure(ArgumentBytes(program.errorText()));
    if (program.isSet(version))
        return Outcome(Action::Version);
    QStringList rest = program.positionalArguments();
    if (rest.isEmpty())
        return Failure("no command given");
    const auto found = std::find_if(commands.begin(), commands.end(),
        [&](const Command& command) { return rest.front() == QLatin1String(command.Name); });
    if (found == commands.end())
        return Failure("unknown command '" + ArgumentBytes(rest.front()) + "'");
    const Command& command = *found;

    auto parser = std::make_unique<QCommandLineParser>();
    parser->addOptions(command.Options());
    parser->addOption(help);
    // The parser takes the first argument for the program's name.
    rest.front() = texts.front();
    const bool parsed = parser->parse(rest);
    if (parser->isSet(help))
        return Outcome(Action::Help, &command);
    if (!parsed)
        return Failure(ArgumentBytes(parser->errorText()), &command);
    ParsedCommandLine result = Outcome(Action::Run, &command);
    result.Options = std::make_unique<CommandOptions>(std::move(parser));
    if (command.Check) {
        std::string error = command.Check(*result.Options);
        if (!error.empty())
            return Failure(std::move(error), &command);
    }
    return result;
}

std::string ProgramHelp(std::span<const Command> commands, const char* footer)
{
    const std::string program = kProgram;
    std::string out = "Usage:\n";
    size_t nameWidth = 0;
    for (const Command& command : commands) {
        out += "  " + program + ' ' + command.Synopsis + '\n';
        nameWidth = std::max(nameWidth, std::string(command.Name).size());
    }
    out += "  " + program + " COMMAND --help\n";
    out += "  " + program + " --help | --version\n\n";
    for (const Command& command : commands)
        out += Padded(command.Name, nameWidth + 2) + Wrapped(command.Summary, nameWidth + 2);
    return out + '\n' + Wrapped(footer, 0);
}

std::string CommandHelp(const Command& command)
{
    std::string out = std::string("Usage: ") + kProgram + ' ' + command.Synopsis + "\n\n";
    out += Wrapped(command.Summary, 0);
    QList<QCommandLineOption> options = command.Options();
    options.append(HelpOption());
    size_t namesWidth = 0;
    for (const QCommandLineOption& option : options)
        namesWidth = std::max(namesWidth, OptionNames(option).size());
    out += "\nOptions:\n";
    for (const QCommandLineOption& option : options) {
        out += "  " + Padded(OptionNames(option), namesWidth + 2)
            + Wrapped(option.description().toStdString(), namesWidth + 4);
    }
    return out;
}

} // namespace eee
