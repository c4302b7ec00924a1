#include "cli/SweepCommand.h"

#include "calc/Format.h"
#include "calc/Sweep.h"
#include "calc/WearSimulation.h"
#include "cli/Calculator.h"
#include "cli/Console.h"
#include "cli/Csv.h"
#include "cli/Json.h"
#include "cli/OffscreenGui.h"
#include "cli/OutputFile.h"
#include "cli/Report.h"
#include "report/SweepPlotData.h"

#include <QJsonArray>
#include <QJsonObject>

#include <cmath>
#include <optional>

namespace eee {

namespace {

constexpr int kPlotWidth = 720;
constexpr int kPlotHeight = 420;

QList<QCommandLineOption> Options()
{
    return {
        QCommandLineOption("vary",
            "The input to step: lifetime, blocksize (every block; FROM and TO are the scheme's "
            "block sizes, e.g. x4000:x20000), blocks, or updates:N, records:N, size:N of data "
            "type N. STEP adds (:5) or multiplies (:*10); by default 1.",
            "PARAM=FROM:TO[:STEP]"),
        QCommandLineOption("json", "One JSON object with every point."),
        QCommandLineOption("csv", "A header line and one line per point."),
        QCommandLineOption(
            {"o", "output"}, "Also draw the plot into this SVG or PNG file.", "PLOT.svg|PLOT.png"),
        QCommandLineOption("simulate", "Replay the workload of every point (the wear simulation)."),
    };
}

struct SweepOptions
{
    std::string File; // empty: the delivered Defaults.xml
    SweepRequest Request;
    bool Json = false;
    bool Csv = false;
    std::string Output;
    bool Simulate = false;
};

std::optional<SweepOptions> ReadSweepOptions(const CommandOptions& options, std::string& error)
{
    SweepOptions sweep;
    const std::vector<std::string> files = options.Positional();
    if (files.size() > 1) {
        error = "sweep takes one session file";
        return std::nullopt;
    }
    if (!files.empty())
        sweep.File = files.front();
    if (!options.IsSet("vary")) {
        error = "sweep needs --vary PARAM=FROM:TO[:STEP]";
        return std::nullopt;
    }
    const std::optional<SweepRequest> request = ParseSweep(options.Value("vary"), error);
    if (!request)
        return std::nullopt;
    sweep.Request = *request;
    sweep.Json = options.IsSet("json");
    sweep.Csv = options.IsSet("csv");
    if (sweep.Json && sweep.Csv) {
        error = "--json and --csv cannot go together";
        return std::nullopt;
    }
    sweep.Output = options.Value("output");
    if (options.IsSet("output") && sweep.Output.empty()) {
        error = "-o needs a file name";
        return std::nullopt;
    }
    sweep.Simulate = options.IsSet("simulate");
    return sweep;
}

std::string Check(CommandOptions& options)
{
    std::string error;
    ReadSweepOptions(options, error);
    return error;
}

QJsonValue OrNull(bool present, double value)
{
    return present && std::isfinite(value) ? QJsonValue(value) : QJsonValue(QJsonValue::Null);
}

QJsonValue ValueJson(const SweepRequest& request, const SweepValue& value)
{
    if (request.Parameter == SweepParameter::BlockSize)
        return QString::fromStdString(value.Text);
    return value.Number;
}

std::string CsvNumber(bool present, double value)
{
    return present ? FormatG(value, 17) : std::string();
}

std::vector<std::string> SchemeBlockTexts(const FormState& state, std::vector<CatalogueBlock>& out)
{
    std::vector<std::string> texts;
    for (const BlockInfo& block : state.Blocks) {
        out.push_back(CatalogueBlock {block.SizeText, block.Size});
        texts.push_back(block.SizeText);
    }
    return texts;
}

int Run(const CommandOptions& given)
{
    std::string error;
    const std::optional<SweepOptions> options = ReadSweepOptions(given, error);
    if (!options)
        return 2;
    const OffscreenGui gui;
    Calculator calculator;
    const Evaluation e
        = calculator.Evaluate(options->File.empty() ? calculator.DefaultsPath() : options->File);
    Write(stderr, EvaluationMessages(e));
    if (!e.Ok)
        return 1;

    std::vector<CatalogueBlock> blocks;
    SchemeBlockTexts(calculator.Engine().State(), blocks);
    const SweepRequest& request = options->Request;
    const std::optional<std::vector<SweepValue>> values
        = SweepValues(request, e.Config, blocks, error);
    if (!values) {
        Complain("sweep: " + error);
        return 2;
    }
    const std::vector<SweepPoint> points = RunSweep(request, e.Config, *values);
    std::vector<std::optional<SimulationResult>> simulations(points.size());
    if (options->Simulate) {
        for (size_t i = 0; i < points.size(); ++i)
            if (points[i].Ok)
                simulations[i] = SimulateWear(points[i].Config, points[i].Result);
    }

    if (options->Json) {
        QJsonArray array;
        for (size_t i = 0; i < points.size(); ++i) {
            const SweepPoint& p = points[i];
            QJsonObject o {
                {"value", ValueJson(request, p.Value)},
                {"ok", p.Ok},
                {"error",
                    p.Ok ? QJsonValue(QJsonValue::Null)
                         : QJsonValue(QString::fromStdString(p.Error))},
                {"flashUsedBytes", OrNull(p.Ok, static_cast<double>(p.Result.FlashUsedBytes))},
                {"flashCycles", OrNull(p.Ok, p.Result.FlashCycles)},
                {"inSpecYears", OrNull(p.Ok, static_cast<double>(p.Result.InSpecYears))},
                {"inSpec", p.Ok ? QJsonValue(p.Result.InSpec) : QJsonValue(QJsonValue::Null)},
                {"lifetimeUpdates", OrNull(p.Ok, p.Result.LifetimeUpdates)},
            };
            if (options->Simulate)
                o["simulatedCycles"] = OrNull(simulations[i] && simulations[i]->Fits,
                    simulations[i] ? simulations[i]->SimulatedCycles : 0.0);
            array.append(o);
        }
        Write(stdout,
            JsonLine(QJsonObject {{"file", QString::fromStdString(e.File)},
                {"parameter", QString::fromStdString(request.Name())}, {"points", array}}));
    } else if (options->Csv) {
        std::string out = "value,ok,error,flashUsedBytes,flashCycles,inSpecYears,inSpec,"
                          "lifetimeUpdates";
        out += options->Simulate ? ",simulatedCycles\n" : "\n";
        for (size_t i = 0; i < points.size(); ++i) {
            const SweepPoint& p = points[i];
            out += CsvField(p.Value.Text) + ',' + (p.Ok ? "true" : "false") + ','
                + CsvField(p.Error) + ','
                + CsvNumber(p.Ok, static_cast<double>(p.Result.FlashUsedBytes)) + ','
                + CsvNumber(p.Ok, p.Result.FlashCycles) + ','
                + CsvNumber(p.Ok, static_cast<double>(p.Result.InSpecYears)) + ','
                + (p.Ok ? (p.Result.InSpec ? "true" : "false") : "") + ','
                + CsvNumber(p.Ok, p.Result.LifetimeUpdates);
            if (options->Simulate)
                out += ','
                    + CsvNumber(simulations[i] && simulations[i]->Fits,
                        simulations[i] ? simulations[i]->SimulatedCycles : 0.0);
            out += '\n';
        }
        Write(stdout, out);
    } else {
        std::string out = "File: " + e.File + "\nParameter: " + request.Name() + '\n';
        for (size_t i = 0; i < points.size(); ++i) {
            const SweepPoint& p = points[i];
            out += "  " + SweepPointText(request, p);
            if (simulations[i] && simulations[i]->Fits)
                out += ", simulated " + FormatG(simulations[i]->SimulatedCycles, 15) + " cycles";
            out += '\n';
        }
        Write(stdout, out);
    }

    if (!options->Output.empty()) {
        const QByteArray bytes = SweepPlotFile(MakeSweepPlot(request, points),
            QString::fromLocal8Bit(options->Output), kPlotWidth, kPlotHeight);
        if (bytes.isEmpty()) {
            Complain("could not draw the plot");
            return 1;
        }
        const int failure = WriteOutputFile(options->Output,
            std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
        if (failure != 0) {
            Complain(WriteFailureText(options->Output, failure));
            return 1;
        }
    }
    return 0;
}

} // namespace

const Command kSweepCommand {
    "sweep",
    "sweep [FILE] --vary PARAM=FROM:TO[:STEP] [options]",
    "Evaluates the session again for every value of one input, from FROM while not above TO: "
    "the lifetime, the block size of every block, the number of blocks (added blocks take the "
    "last block's size) or the updates, records or record size of one data type. Each point is "
    "the whole evaluation of the session with that one value changed; a value the session would "
    "be refused with (out of its field's range, data that does not fit) is a point with its "
    "message, not an error of the sweep. Without FILE, the Defaults.xml beside the program. "
    "Exit status: 0 when the sweep ran, 1 when the file was refused or the plot could not be "
    "written, 2 for a usage error (an unknown parameter, a data type the session does not have, "
    "more than 10000 points).",
    Options,
    Check,
    Run,
};

} // namespace eee
