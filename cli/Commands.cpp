#include "cli/Commands.h"

#include "cli/AdviseCommand.h"
#include "cli/ChartCommand.h"
#include "cli/CompareCommand.h"
#include "cli/EvaluateCommand.h"
#include "cli/ProfilesCommand.h"
#include "cli/ReportCommand.h"
#include "cli/SimulateCommand.h"
#include "cli/SweepCommand.h"

namespace eee {

std::span<const Command> AllCommands()
{
    static const Command commands[] = {
        kEvaluateCommand,
        kChartCommand,
        kAdviseCommand,
        kReportCommand,
        kProfilesCommand,
        kSimulateCommand,
        kSweepCommand,
        kCompareCommand,
    };
    return commands;
}

const char* const kHelpFooter
    = "Exit status: 0 when every file was evaluated, 1 when a file was rejected, its retention "
      "could not be checked or the image or report could not be written, 2 for a usage error, 3 "
      "for evaluate --check when a file is out of spec or misses its retention, and for simulate "
      "--check when a simulation does not fit or passes the cycles limit.";

} // namespace eee
