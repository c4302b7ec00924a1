#include "cli/CommandLine.h"

#include <charconv>
#include <string_view>

namespace eee {

namespace {

bool IsHelp(std::string_view arg)
{
    return arg == "--help" || arg == "-h";
}

std::optional<int> ParseSide(std::string_view text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || value < 1 || value > kMaxImageSide)
        return std::nullopt;
    return value;
}

// An option of the chart command that takes a value, as "--name VALUE" or "--name=VALUE".
struct ValueOption
{
    bool Matched = false;
    std::optional<std::string> Value;
};

ValueOption MatchValueOption(
    const std::vector<std::string>& args, size_t& i, std::initializer_list<std::string_view> names)
{
    const std::string& arg = args[i];
    for (const std::string_view name : names) {
        if (arg == name) {
            if (i + 1 >= args.size())
                return {true, std::nullopt};
            return {true, args[++i]};
        }
        if (name.starts_with("--") && arg.size() > name.size() && arg.starts_with(name)
            && arg[name.size()] == '=')
            return {true, arg.substr(name.size() + 1)};
    }
    return {};
}

ParsedCommandLine Failure(std::string error)
{
    return {std::nullopt, std::move(error)};
}

ParsedCommandLine Plain(CommandKind kind)
{
    CommandLine command;
    command.Kind = kind;
    return {command, {}};
}

ParsedCommandLine ParseEvaluate(const std::vector<std::string>& args)
{
    CommandLine command;
    command.Kind = CommandKind::Evaluate;
    bool optionsEnded = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            command.Files.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--json") {
            command.Json = true;
        } else {
            return Failure("evaluate: unknown option '" + arg + "'");
        }
    }
    return {command, {}};
}

ParsedCommandLine ParseChart(const std::vector<std::string>& args)
{
    CommandLine command;
    command.Kind = CommandKind::Chart;
    bool haveOutput = false;
    bool optionsEnded = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            command.Files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (const ValueOption output = MatchValueOption(args, i, {"-o", "--output"});
            output.Matched) {
            if (!output.Value || output.Value->empty())
                return Failure("chart: " + arg + " needs a file name");
            command.Output = *output.Value;
            haveOutput = true;
            continue;
        }
        bool sideMatched = false;
        for (auto [name, side] :
            {std::pair {"--width", &command.Width}, std::pair {"--height", &command.Height}}) {
            const ValueOption option = MatchValueOption(args, i, {name});
            if (!option.Matched)
                continue;
            const std::optional<int> value = option.Value ? ParseSide(*option.Value) : std::nullopt;
            if (!value)
                return Failure(std::string("chart: ") + name + " needs a whole number from 1 to "
                    + std::to_string(kMaxImageSide));
            *side = *value;
            sideMatched = true;
            break;
        }
        if (!sideMatched)
            return Failure("chart: unknown option '" + arg + "'");
    }
    if (command.Files.size() != 1)
        return Failure("chart: give exactly one session file");
    if (!haveOutput)
        return Failure("chart: give the PNG file to write with -o OUT.png");
    return {command, {}};
}

} // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args)
{
    if (args.empty())
        return Failure("no command given");
    for (const std::string& arg : args) {
        if (arg == "--")
            break;
        if (IsHelp(arg))
            return Plain(CommandKind::Help);
    }
    const std::string& first = args.front();
    if (first == "--version")
        return Plain(CommandKind::Version);
    if (first == "evaluate")
        return ParseEvaluate(args);
    if (first == "chart")
        return ParseChart(args);
    return Failure("unknown command '" + first + "'");
}

std::string UsageText()
{
    return "Usage:\n"
           "  eee-calc-cli evaluate [FILE.xml ...] [--json]\n"
           "  eee-calc-cli chart FILE.xml -o OUT.png [--width W --height H]\n"
           "  eee-calc-cli --help | --version\n"
           "\n"
           "evaluate  Loads each session file as File > Load Session of the calculator does and\n"
           "          reports the results and the verdict. Without FILE, the Defaults.xml\n"
           "          beside the program is evaluated. With --json, one JSON object per file and\n"
           "          line. The catalogue and schemas are read from the program's own folder.\n"
           "chart     Evaluates FILE.xml the same way and draws the envelope chart to a PNG\n"
           "          image (default size 338 x 236, the calculator's own chart).\n"
           "\n"
           "Exit status: 0 when every file was evaluated, 1 when a file was rejected or the\n"
           "image could not be written, 2 for a usage error.\n";
}

} // namespace eee
