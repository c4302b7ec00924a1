// JSON output of evaluations: one object per line.
#pragma once

#include "cli/Evaluator.h"

#include <QJsonObject>

#include <string>

namespace eee {

// One evaluation. A refused file has "file", "ok", "error", "warnings" and,
// when the error gives no reason of its own, "reason"; an evaluated file has
// its inputs, results and verdict. Texts that are not valid UTF-8 get U+FFFD
// for each bad byte; numbers JSON cannot carry (infinities, NaN) are null.
QJsonObject EvaluationToJson(const Evaluation& evaluation);

// The object on one line, with the line break.
std::string JsonLine(const QJsonObject& object);

} // namespace eee
