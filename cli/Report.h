// The readable report of an evaluation, with the window's labels and texts,
// and the messages about a file.
#pragma once

#include "cli/Evaluator.h"

#include <string>

namespace eee {

// The report of an evaluation that computed results; every line ends with a line break.
std::string EvaluationReport(const Evaluation& evaluation);

// "FILE: warning: TEXT" or "FILE: error: TEXT" lines for the standard error stream.
std::string MessageLines(const std::string& file, const char* kind, const std::string& text);

// The messages of an evaluation for the standard error stream: its warnings,
// and for a refused file the error and the program's reason.
std::string EvaluationMessages(const Evaluation& evaluation);

// For a refusal whose message from the window gives no reason (by design, as
// the window shows it), a plain reason of the program's own; else "".
std::string RefusalReason(const Evaluation& evaluation);

} // namespace eee
