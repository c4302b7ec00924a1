// eee-calc-cli profiles [--json] [--profiles FILE]: lists the device profiles
// of the retention check, the delivered ones and then the user's own.
#pragma once

#include "cli/CommandLine.h"

namespace eee {

extern const Command kProfilesCommand;

} // namespace eee
