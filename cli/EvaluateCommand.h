// eee-calc-cli evaluate [FILE.xml ...] [--json]: loads session files as File >
// Load Session does and reports the results and the verdict.
#pragma once

#include "cli/CommandLine.h"

#include <optional>
#include <string>
#include <vector>

namespace eee {

struct EvaluateOptions
{
    std::vector<std::string> Files; // none: the delivered Defaults.xml
    bool Json = false; // one JSON object per file and line
};

// The options as given; nothing, with the usage error in error, when they are wrong.
std::optional<EvaluateOptions> ReadEvaluateOptions(
    const CommandOptions& options, std::string& error);

extern const Command kEvaluateCommand;

} // namespace eee
