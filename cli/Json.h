// JSON output of evaluations: one object per line.
#pragma once

#include "calc/Retention.h"
#include "cli/Evaluator.h"

#include <QJsonObject>

#include <string>

namespace eee {

// One evaluation. A refused file has "file", "ok", "error", "warnings" and,
// when the error gives no reason of its own, "reason"; an evaluated file has
// its inputs, results and verdict. Texts that are not valid UTF-8 get U+FFFD
// for each bad byte; numbers JSON cannot carry (infinities, NaN) are null.
QJsonObject EvaluationToJson(const Evaluation& evaluation);

// The retention check of an evaluation: "profile", "cyclesPerBlock", "tierCycles",
// "tierYears", "referenceC", "activationEnergyEv", "mission" (each segment's
// "years", "celsius", "accelerationFactor"), "consumedPercent",
// "effectiveYears", "margin", "inSpec" and "note". Without a tier (the cycles
// are beyond the rated endurance) the tier's figures and those computed from
// it are null; so is the activation energy of a profile without one.
QJsonObject RetentionToJson(const DeviceProfile& profile, const RetentionResult& result);

// A retention check that could not be made: "profile" and "error".
QJsonObject RetentionErrorToJson(const DeviceProfile& profile, const std::string& error);

// A device profile: "name", "enduranceCycles", "referenceC",
// "activationEnergyEv" (null without), "tiers" (each "maxCycles", "years") and
// "source", the file it was read from ("delivered" for the program's own).
QJsonObject ProfileToJson(const DeviceProfile& profile, const std::string& source);

// The object on one line, with the line break.
std::string JsonLine(const QJsonObject& object);

// A value as the JSON writes it (a text in quotes), without a line break.
std::string JsonText(const QJsonValue& value);

} // namespace eee
