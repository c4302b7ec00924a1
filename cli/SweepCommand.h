// eee-calc-cli sweep FILE --vary PARAM=FROM:TO[:STEP] [--json | --csv] [-o PLOT.svg|PLOT.png]
// [--simulate]: the session evaluated again with one input stepped over a range.
#pragma once

#include "cli/CommandLine.h"

namespace eee {

extern const Command kSweepCommand;

} // namespace eee
