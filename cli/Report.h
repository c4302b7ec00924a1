// The readable report of an evaluation, with the window's labels and texts.
#pragma once

#include "cli/Evaluator.h"

#include <string>

namespace eee {

// The report of an evaluation that computed results; every line ends with a line break.
std::string EvaluationReport(const Evaluation& evaluation);

// "FILE: warning: TEXT" or "FILE: error: TEXT" lines for the standard error stream.
std::string MessageLines(const std::string& file, const char* kind, const std::string& text);

} // namespace eee
