// The command line of eee-calc-cli.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace eee {

inline constexpr int kMaxImageSide = 8192;

enum class CommandKind { Help, Version, Evaluate, Chart };

struct CommandLine
{
    CommandKind Kind = CommandKind::Help;
    std::vector<std::string> Files;
    bool Json = false; // evaluate: one JSON object per file
    std::string Output; // chart: the PNG to write
    int Width = 338; // chart: image size in pixels
    int Height = 236;
};

struct ParsedCommandLine
{
    std::optional<CommandLine> Command; // nothing on a usage error
    std::string Error; // the usage error
};

// args: the arguments without the program name.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

std::string UsageText();

} // namespace eee
