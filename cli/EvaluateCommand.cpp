#include "cli/EvaluateCommand.h"

#include "calc/RetentionText.h"
#include "cli/Calculator.h"
#include "cli/Console.h"
#include "cli/Csv.h"
#include "cli/Json.h"
#include "cli/Report.h"
#include "cli/ReportCommand.h"

namespace eee {

namespace {

QList<QCommandLineOption> Options()
{
    QList<QCommandLineOption> options {
        QCommandLineOption("json", "One JSON object per file and line."),
        QCommandLineOption("csv",
            "A header line and one line per file: the values of the JSON object that are "
            "numbers, texts, true or false (null is an empty field); its arrays and objects are "
            "left out."),
        QCommandLineOption("check",
            "Exit status 3 when every file was evaluated but one is out of spec or, with "
            "--profile, misses its data retention (for a build). A refused file still gives 1, "
            "a usage error 2."),
    };
    options.append(RetentionOptions());
    return options;
}

// The profiles of --profile are read once: the check keeps the options for the run.
std::string Check(CommandOptions& options)
{
    std::string error;
    if (std::optional<EvaluateOptions> evaluate = ReadEvaluateOptions(options, error))
        options.Keep(std::move(*evaluate));
    return error;
}

// The retention check of one evaluated file.
struct RetentionOutcome
{
    bool Checked = false;
    RetentionResult Result;
    std::string Error; // when not checked
};

RetentionOutcome CheckFile(const RetentionRequest& request, const Evaluation& e)
{
    RetentionOutcome outcome;
    outcome.Checked = CheckRetention(
        request.Profile, e.FlashCycles, e.LifeTime, request.Mission, outcome.Result, outcome.Error);
    return outcome;
}

std::string RetentionReport(const RetentionRequest& request, const RetentionOutcome& outcome)
{
    if (!outcome.Checked)
        return kRetentionLabel + std::string("not checked: ") + outcome.Error + '\n';
    std::string out = RetentionHeadline(outcome.Result) + '\n';
    out += "  Profile: " + request.Profile.Name + '\n';
    for (const std::string& line : RetentionDetails(request.Profile, outcome.Result))
        out += "  " + line + '\n';
    return out;
}

int Run(const CommandOptions& given)
{
    // Run follows the check, which kept the options.
    const EvaluateOptions* options = given.Kept<EvaluateOptions>();
    if (options == nullptr)
        return 2;
    for (const std::string& warning : options->Warnings)
        Complain("warning: " + warning);
    Calculator calculator;
    std::vector<std::string> files = options->Files;
    if (files.empty())
        files.push_back(calculator.DefaultsPath());

    bool allOk = true;
    bool anyFails = false;
    bool first = true;
    const QStringList columns = options->Csv ? EvaluateCsvColumns() : QStringList();
    if (options->Csv) {
        std::vector<std::string> header;
        for (const QString& column : columns)
            header.push_back(column.toStdString());
        Write(stdout, CsvLine(header));
    }
    for (const std::string& file : files) {
        const Evaluation e = calculator.Evaluate(file);
        std::optional<RetentionOutcome> retention;
        if (e.Ok && options->Retention)
            retention = CheckFile(*options->Retention, e);
        allOk = allOk && e.Ok && (!retention || retention->Checked);
        anyFails = anyFails || IsOutOfSpec(e) || (retention && !retention->Result.InSpec);
        if (options->Json) {
            QJsonObject json = EvaluateJson(e);
            if (retention) {
                const DeviceProfile& profile = options->Retention->Profile;
                json["retention"] = retention->Checked
                    ? RetentionToJson(profile, retention->Result)
                    : RetentionErrorToJson(profile, retention->Error);
            }
            Write(stdout, JsonLine(json));
            continue;
        }
        // Messages go to the error stream in order with the reports.
        std::fflush(stdout);
        Write(stderr, EvaluationMessages(e));
        if (retention && !retention->Checked)
            Write(stderr, MessageLines(e.File, "error", retention->Error));
        if (options->Csv) {
            // The retention is an object of the JSON: no column of its own.
            Write(stdout, CsvRow(EvaluationToJson(e), columns));
            continue;
        }
        if (e.Ok) {
            if (!first)
                Write(stdout, "\n");
            Write(stdout, EvaluationReport(e));
            if (retention)
                Write(stdout, RetentionReport(*options->Retention, *retention));
            first = false;
        }
    }
    return EvaluateExitStatus(allOk, anyFails, options->Check);
}

} // namespace

std::optional<EvaluateOptions> ReadEvaluateOptions(
    const CommandOptions& options, std::string& error)
{
    EvaluateOptions evaluate;
    evaluate.Files = options.Positional();
    evaluate.Json = options.IsSet("json");
    evaluate.Csv = options.IsSet("csv");
    if (evaluate.Json && evaluate.Csv) {
        error = "--json and --csv cannot go together";
        return std::nullopt;
    }
    evaluate.Check = options.IsSet("check");
    evaluate.Retention = ReadRetentionRequest(options, evaluate.Warnings, error);
    if (!error.empty())
        return std::nullopt;
    return evaluate;
}

QJsonObject EvaluateJson(const Evaluation& evaluation)
{
    QJsonObject json = EvaluationToJson(evaluation);
    AddBreakdownJson(json, evaluation);
    return json;
}

QStringList EvaluateCsvColumns()
{
    Evaluation evaluated;
    evaluated.Ok = true;
    Evaluation refused;
    refused.Reason = "a reason of the program's own";
    return ScalarKeys({EvaluationToJson(evaluated), EvaluationToJson(refused)});
}

const Command kEvaluateCommand {
    "evaluate",
    // --mission and --profiles go with --profile; the option list names them.
    "evaluate [FILE.xml ...] [--json] [--check] [--profile NAME]",
    "Loads each session file as File > Load Session of the calculator does and reports the "
    "results and the verdict. Without FILE, the Defaults.xml beside the program is evaluated. "
    "With --json, one JSON object per file and line; with --csv, a header line and one line per "
    "file with the JSON's numbers, texts and booleans. With --profile, the data retention of each "
    "file is checked as Tools > Retention Check does: its flash cycles per block against the "
    "profile's retention tiers over a mission of years at temperatures that adds up to its "
    "lifetime. The catalogue and schemas are read from the program's own folder. Exit status: 0 "
    "when every file was evaluated (and, with --profile, its retention checked); 1 when a file "
    "was refused or its retention could not be checked (a mission that does not add up to its "
    "lifetime); 2 for a usage error (an unknown profile, a mission that cannot be read); with "
    "--check, 3 when none of these but a file is out of spec or misses its retention. Everything "
    "is printed before the program ends.",
    Options,
    Check,
    Run,
};

} // namespace eee
