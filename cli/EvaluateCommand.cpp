#include "cli/EvaluateCommand.h"

#include "cli/Calculator.h"
#include "cli/Console.h"
#include "cli/Json.h"
#include "cli/Report.h"

namespace eee {

namespace {

QList<QCommandLineOption> Options()
{
    return {QCommandLineOption("json", "One JSON object per file and line.")};
}

std::string Check(const CommandOptions& options)
{
    std::string error;
    ReadEvaluateOptions(options, error);
    return error;
}

int Run(const CommandOptions& given)
{
    std::string error;
    const std::optional<EvaluateOptions> options = ReadEvaluateOptions(given, error);
    if (!options)
        return 2;
    Calculator calculator;
    std::vector<std::string> files = options->Files;
    if (files.empty())
        files.push_back(calculator.DefaultsPath());

    bool allOk = true;
    bool first = true;
    for (const std::string& file : files) {
        const Evaluation e = calculator.Evaluate(file);
        allOk = allOk && e.Ok;
        if (options->Json) {
            Write(stdout, JsonLine(EvaluationToJson(e)));
            continue;
        }
        // Messages go to the error stream in order with the reports.
        std::fflush(stdout);
        Write(stderr, EvaluationMessages(e));
        if (e.Ok) {
            if (!first)
                Write(stdout, "\n");
            Write(stdout, EvaluationReport(e));
            first = false;
        }
    }
    return allOk ? 0 : 1;
}

} // namespace

std::optional<EvaluateOptions> ReadEvaluateOptions(const CommandOptions& options, std::string&)
{
    return EvaluateOptions {options.Positional(), options.IsSet("json")};
}

const Command kEvaluateCommand {
    "evaluate",
    "evaluate [FILE.xml ...] [--json]",
    "Loads each session file as File > Load Session of the calculator does and reports the "
    "results and the verdict. Without FILE, the Defaults.xml beside the program is evaluated. "
    "With --json, one JSON object per file and line. The catalogue and schemas are read from the "
    "program's own folder.",
    Options,
    Check,
    Run,
};

} // namespace eee
