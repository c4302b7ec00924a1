// The commands of eee-calc-cli. A new command is a file of its own with its
// options and handler (see EvaluateCommand.h), and one entry in this table.
#pragma once

#include "cli/CommandLine.h"

#include <span>

namespace eee {

std::span<const Command> AllCommands();

// The end of the program's help.
extern const char* const kHelpFooter;

} // namespace eee
