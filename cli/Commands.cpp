#include "cli/Commands.h"

#include "cli/AdviseCommand.h"
#include "cli/ChartCommand.h"
#include "cli/EvaluateCommand.h"
#include "cli/ReportCommand.h"

namespace eee {

std::span<const Command> AllCommands()
{
    static const Command commands[] = {
        kEvaluateCommand,
        kChartCommand,
        kAdviseCommand,
        kReportCommand,
    };
    return commands;
}

const char* const kHelpFooter
    = "Exit status: 0 when every file was evaluated, 1 when a file was rejected or the image or "
      "report could not be written, 2 for a usage error, 3 with evaluate --check when every file "
      "was evaluated and one is out of spec.";

} // namespace eee
