#include "cli/Commands.h"

#include "cli/AdviseCommand.h"
#include "cli/ChartCommand.h"
#include "cli/EvaluateCommand.h"

namespace eee {

std::span<const Command> AllCommands()
{
    static const Command commands[] = {
        kEvaluateCommand,
        kChartCommand,
        kAdviseCommand,
    };
    return commands;
}

const char* const kHelpFooter
    = "Exit status: 0 when every file was evaluated, 1 when a file was rejected or the image could "
      "not be written, 2 for a usage error.";

} // namespace eee
