// eee-calc-cli report, and what evaluate gains from the breakdown: the breakdown and
// the trace in its JSON, and the exit status of evaluate --check.
//
//     eee-calc-cli report FILE -o OUT.pdf|OUT.html [--title TEXT] [--page-size a4|letter]
//                         [--profile NAME [--mission Y@C,...] [--profiles FILE]]
#pragma once

#include "cli/CommandLine.h"
#include "cli/Evaluator.h"
#include "cli/RetentionOptions.h"

#include <QJsonObject>
#include <QString>

#include <string>

namespace eee {

// The exit status of evaluate --check when an evaluated file is out of spec.
inline constexpr int kOutOfSpecStatus = 3;

struct ReportRequest
{
    QString File; // the session file
    QString Output; // the report: .pdf, .html or .htm
    QString Title; // empty: the default title
    QString PageSize = "a4"; // a4 or letter
    std::optional<RetentionRequest> Retention; // --profile: a "Data retention" section
};

// The usage error of a request (no file, no output, an unknown suffix or page size),
// or an empty text.
QString ReportRequestError(const ReportRequest& request);

// Loads the session file as the window's Load Session does and writes its report, as
// the window's Export Report would. Makes a QGuiApplication on the offscreen platform
// when the process has none. Returns the exit status (0 written, 1 the file was
// refused or the report not written, 2 a usage error) and appends the messages for
// the error stream ("FILE: warning: TEXT", "FILE: error: TEXT") to `errors`.
int RunReportCommand(const ReportRequest& request, std::string& errors);

// The command as eee-calc-cli lists it (Commands.cpp): its options -o/--output, --title
// and --page-size, its usage check and RunReportCommand().
extern const Command kReportCommand;

// Adds "breakdown" (one object per data type: dataType, 1-based, bytesHeld,
// bytesWritten, writeSharePercent, firstTerm, secondTerm, cyclesSharePercent) and
// "trace" (the formula lines) to the JSON object of an evaluation that computed results.
void AddBreakdownJson(QJsonObject& object, const Evaluation& evaluation);

// An evaluation that computed results outside the lifetime or the cycles limit.
bool IsOutOfSpec(const Evaluation& evaluation);

// The exit status of evaluate once everything is printed: 1 when a file was refused
// (nothing can be said of its design), else, with --check, kOutOfSpecStatus when a
// file is out of spec, else 0.
int EvaluateExitStatus(bool allEvaluated, bool anyOutOfSpec, bool check);

} // namespace eee
