// JSON output of evaluations: one object per line.
#pragma once

#include "cli/Evaluator.h"

#include <string>
#include <string_view>

namespace eee {

// The shortest decimal text that reads back to the same double; "null" for
// infinities and NaN, which JSON cannot carry.
std::string JsonNumber(double value);

// A quoted JSON string. Bytes that are not valid UTF-8 become U+FFFD, so the
// output stays valid JSON whatever a file name holds.
std::string JsonString(std::string_view text);

// One evaluation as a single-line JSON object, without the line break.
std::string EvaluationToJson(const Evaluation& evaluation);

} // namespace eee
