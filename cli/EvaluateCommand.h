// eee-calc-cli evaluate [FILE.xml ...] [--json | --csv] [--profile NAME [--mission
// Y@C,...]] [--profiles FILE] [--check]: loads session files as File > Load
// Session does and reports the results, the verdict and, with a device
// profile, the data retention.
#pragma once

#include "cli/CommandLine.h"
#include "cli/Evaluator.h"
#include "cli/RetentionOptions.h"

#include <QJsonObject>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace eee {

struct EvaluateOptions
{
    std::vector<std::string> Files; // none: the delivered Defaults.xml
    bool Json = false; // one JSON object per file and line
    bool Csv = false; // a header line and one line per file
    bool Check = false; // exit 3 when a file is out of spec
    std::optional<RetentionRequest> Retention; // --profile
    std::vector<std::string> Warnings; // about the profiles, for the error stream
};

// The options as given; nothing, with the usage error in error, when they are wrong.
std::optional<EvaluateOptions> ReadEvaluateOptions(
    const CommandOptions& options, std::string& error);

// The object evaluate --json prints for an evaluation without --profile: the
// evaluation's JSON with, when it computed results, its breakdown and trace.
QJsonObject EvaluateJson(const Evaluation& evaluation);

// The columns of evaluate --csv: the scalar keys of the JSON of an evaluated
// file and of a refused one, in the JSON's key order.
QStringList EvaluateCsvColumns();

extern const Command kEvaluateCommand;

} // namespace eee
