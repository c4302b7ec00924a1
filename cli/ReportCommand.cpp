#include "cli/ReportCommand.h"

#include "calc/Breakdown.h"
#include "cli/Calculator.h"
#include "cli/Console.h"
#include "cli/OffscreenGui.h"
#include "cli/Report.h"
#include "form/AdvisorCatalogueReader.h"
#include "report/ReportBuilder.h"
#include "report/ReportFile.h"

#include <QCommandLineOption>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonArray>

namespace eee {

QString ReportRequestError(const ReportRequest& request)
{
    if (request.File.isEmpty())
        return "report needs a session file";
    if (request.Output.isEmpty())
        return "report needs an output file (-o OUT.pdf or -o OUT.html)";
    if (!ReportFormatOf(request.Output))
        return kReportSuffixMessage;
    if (!ParsePageSize(request.PageSize))
        return "unknown page size '" + request.PageSize + "' (a4 or letter)";
    return {};
}

int RunReportCommand(const ReportRequest& request, std::string& errors)
{
    const QString usage = ReportRequestError(request);
    if (!usage.isEmpty()) {
        errors += "eee-calc-cli: " + usage.toStdString() + '\n';
        return 2;
    }
    const OffscreenGui gui;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        errors += "eee-calc-cli: report: no graphical application to draw with\n";
        return 1;
    }

    // The file is loaded as every command loads it: as File > Load Session does.
    Calculator calculator;
    const std::string name = request.File.toStdString();
    const Evaluation e = calculator.Evaluate(name);
    for (const std::string& warning : e.Warnings)
        errors += MessageLines(name, "warning", warning);
    if (!e.Ok) {
        errors += MessageLines(name, "error", e.Error);
        return 1;
    }

    // The report names the session file by its full path.
    ReportContent content = MakeReportContent(e.Config, e.Result, calculator.Chart(),
        QFileInfo(request.File).absoluteFilePath(), AdviseOutOfSpec(e.Config, e.Result, [&] {
            // A scheme that cannot be read is left out of the search.
            std::vector<std::string> problems;
            return ReadAdvisorCatalogue(calculator.DataSource(), problems);
        }));
    content.Title = request.Title;
    if (request.Retention)
        content.Retention = CheckReportRetention(request.Retention->Profile,
            request.Retention->Mission, e.Result.FlashCycles, e.Config.LifeTime);
    QString writeError;
    if (!WriteReportFile(
            BuildReport(content), request.Output, *ParsePageSize(request.PageSize), writeError)) {
        errors += MessageLines(request.Output.toStdString(), "error",
            "the report could not be written: " + writeError.toStdString());
        return 1;
    }
    return 0;
}

void AddBreakdownJson(QJsonObject& object, const Evaluation& evaluation)
{
    if (!evaluation.Ok)
        return;
    const Breakdown breakdown = MakeBreakdown(evaluation.Config, evaluation.Result);
    QJsonArray rows;
    for (const DataTypeShare& s : breakdown.DataTypes) {
        rows.append(QJsonObject {
            {"dataType", s.DataType},
            {"bytesHeld", static_cast<qint64>(s.BytesHeld)},
            {"bytesWritten", s.BytesWritten},
            {"writeSharePercent", s.WriteSharePercent},
            {"firstTerm", s.FirstTerm},
            {"secondTerm", s.SecondTerm},
            {"cyclesSharePercent", s.CyclesSharePercent},
        });
    }
    QJsonArray trace;
    for (const std::string& line : breakdown.Trace)
        trace.append(QString::fromStdString(line));
    object.insert("breakdown", rows);
    object.insert("trace", trace);
}

bool IsOutOfSpec(const Evaluation& evaluation)
{
    return evaluation.Ok && !evaluation.Result.InSpec;
}

int EvaluateExitStatus(bool allEvaluated, bool anyOutOfSpec, bool check)
{
    if (!allEvaluated)
        return 1;
    return check && anyOutOfSpec ? kOutOfSpecStatus : 0;
}

namespace {

QList<QCommandLineOption> ReportCommandOptions()
{
    QList<QCommandLineOption> options {
        QCommandLineOption({"o", "output"},
            "The report to write: OUT.pdf, or OUT.html for one self-contained HTML file.", "OUT"),
        QCommandLineOption("title",
            QString("The report's title (default \"%1\").").arg(kDefaultReportTitle), "TEXT"),
        QCommandLineOption("page-size", "The PDF's paper: a4 (the default) or letter.", "SIZE"),
    };
    options.append(RetentionOptions());
    return options;
}

ReportRequest RequestFrom(const CommandOptions& options)
{
    ReportRequest request;
    const std::vector<std::string> files = options.Positional();
    if (files.size() == 1)
        request.File = QString::fromStdString(files.front());
    request.Output = QString::fromStdString(options.Value("output"));
    request.Title = QString::fromStdString(options.Value("title"));
    if (options.IsSet("page-size"))
        request.PageSize = QString::fromStdString(options.Value("page-size"));
    return request;
}

std::string CheckReportCommand(CommandOptions& options)
{
    if (options.Positional().size() != 1)
        return "give exactly one session file";
    std::vector<std::string> warnings;
    std::string error;
    ReadRetentionRequest(options, warnings, error);
    if (!error.empty())
        return error;
    return ReportRequestError(RequestFrom(options)).toStdString();
}

int RunReport(const CommandOptions& options)
{
    std::string errors;
    ReportRequest request = RequestFrom(options);
    std::vector<std::string> warnings;
    std::string error;
    request.Retention = ReadRetentionRequest(options, warnings, error);
    for (const std::string& warning : warnings)
        errors += "eee-calc-cli: warning: " + warning + '\n';
    const int status = RunReportCommand(request, errors);
    Write(stderr, errors);
    return status;
}

} // namespace

const Command kReportCommand {
    "report",
    "report FILE.xml -o OUT [--title TEXT] [--page-size SIZE]",
    "Evaluates FILE.xml as evaluate does and writes its design-review report: the inputs, the "
    "results, the verdict, the envelope chart, the breakdown by data type, the formula trace and "
    "the constants assumed; PDF or one self-contained HTML file by the suffix of OUT. An existing "
    "report is replaced only once the new one is written in full.",
    ReportCommandOptions,
    CheckReportCommand,
    RunReport,
};

} // namespace eee
