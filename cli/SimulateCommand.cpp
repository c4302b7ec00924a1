#include "cli/SimulateCommand.h"

#include "calc/Format.h"
#include "calc/WearSimulationText.h"
#include "cli/Calculator.h"
#include "cli/Console.h"
#include "cli/Json.h"
#include "cli/Report.h"
#include "cli/ReportCommand.h"

#include <QJsonArray>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace eee {

namespace {

constexpr const char* kJsonOption = "json";
constexpr const char* kCheckOption = "check";
constexpr const char* kMaxWritesOption = "max-writes";

QString ToQ(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QJsonValue Number(double value)
{
    return std::isfinite(value) ? QJsonValue(value) : QJsonValue(QJsonValue::Null);
}

QJsonValue Integer(int64_t value)
{
    return QJsonValue(static_cast<qint64>(value));
}

QList<QCommandLineOption> Options()
{
    return {
        QCommandLineOption(kJsonOption, "One JSON object per file and line."),
        QCommandLineOption(kMaxWritesOption,
            QString("Writes to simulate at most (default %1); a longer schedule's erases are "
                    "projected from the second half of them.")
                .arg(kDefaultMaxWrites),
            "N"),
        QCommandLineOption(kCheckOption,
            QString("Exit status 3 when every file was evaluated but a simulation does not fit "
                    "its blocks or its simulated cycles are above %1 (for a build). A refused "
                    "file still gives 1, a usage error 2.")
                .arg(kCyclesLimit)),
    };
}

std::string Check(CommandOptions& options)
{
    std::string error;
    ReadSimulateOptions(options, error);
    return error;
}

std::string Line(const std::string& label, const std::string& value)
{
    return label + ": " + value + '\n';
}

int Run(const CommandOptions& given)
{
    std::string error;
    const std::optional<SimulateOptions> options = ReadSimulateOptions(given, error);
    if (!options)
        return 2;
    Calculator calculator;
    std::vector<std::string> files = options->Files;
    if (files.empty())
        files.push_back(calculator.DefaultsPath());

    SimulationOptions simulation;
    simulation.MaxWrites = options->MaxWrites;
    bool allOk = true;
    bool anyFails = false;
    bool first = true;
    for (const std::string& file : files) {
        const Evaluation e = calculator.Evaluate(file);
        allOk = allOk && e.Ok;
        std::optional<SimulationResult> result;
        if (e.Ok) {
            result = SimulateWear(e.Config, e.Result, simulation);
            anyFails = anyFails || SimulationFails(*result, e.Config.CyclesLimit);
        }
        if (options->Json) {
            Write(stdout, JsonLine(SimulatedFileToJson(e, result ? &*result : nullptr)));
            continue;
        }
        // Messages go to the error stream in order with the reports.
        std::fflush(stdout);
        Write(stderr, EvaluationMessages(e));
        if (result) {
            if (!first)
                Write(stdout, "\n");
            Write(stdout, SimulationReport(e, *result));
            first = false;
        }
    }
    return EvaluateExitStatus(allOk, anyFails, options->Check);
}

} // namespace

std::optional<int64_t> ParseMaxWrites(const std::string& text)
{
    int64_t value = 0;
    const char* end = text.data() + text.size();
    const std::from_chars_result r = std::from_chars(text.data(), end, value);
    if (r.ec != std::errc() || r.ptr != end || value < 1)
        return std::nullopt;
    return value;
}

std::optional<SimulateOptions> ReadSimulateOptions(
    const CommandOptions& options, std::string& error)
{
    SimulateOptions simulate;
    simulate.Files = options.Positional();
    simulate.Json = options.IsSet(kJsonOption);
    simulate.Check = options.IsSet(kCheckOption);
    if (options.IsSet(kMaxWritesOption)) {
        const std::string text = options.Value(kMaxWritesOption);
        const std::optional<int64_t> maxWrites = ParseMaxWrites(text);
        if (!maxWrites) {
            error = "invalid max-writes '" + text + "': a whole number of at least 1";
            return std::nullopt;
        }
        simulate.MaxWrites = *maxWrites;
    }
    return simulate;
}

QJsonObject SimulationToJson(const SimulationResult& r, int dataTypeCount)
{
    QJsonArray erases;
    for (int j = 0; j < std::clamp(r.BlockCount, 0, kMaxBlocks); ++j)
        erases.append(Number(r.BlockErases[j]));
    QJsonArray gcByType;
    for (int i = 0; i < std::clamp(dataTypeCount, 0, kMaxDataTypes); ++i)
        gcByType.append(Integer(r.GcBytesByType[i]));
    return QJsonObject {
        {"status", SimulationStatusKey(r.Status)},
        {"blockErases", erases},
        {"maxBlockErases", Number(r.MaxBlockErases)},
        {"meanBlockErases", Number(r.MeanBlockErases)},
        {"simulatedCycles", Number(r.SimulatedCycles)},
        {"estimatedCycles", Number(r.EstimatedCycles)},
        {"ratio", r.HasRatio ? Number(r.Ratio) : QJsonValue(QJsonValue::Null)},
        {"writes", Integer(r.Writes)},
        {"totalWrites", Integer(r.TotalWrites)},
        {"projected", r.Projected},
        {"payloadBytes", Integer(r.PayloadBytes)},
        {"recordOverheadBytes", Integer(r.RecordOverheadBytes)},
        {"gcBytes", Integer(r.GcBytes)},
        {"closeWasteBytes", Integer(r.CloseWasteBytes)},
        {"gcBytesByType", gcByType},
        {"largestGcBytes", Integer(r.LargestGcBytes)},
        {"writeAmplification", Number(r.WriteAmplification)},
        {"fits", r.Fits},
        {"note", ToQ(r.Note)},
    };
}

QJsonObject SimulatedFileToJson(const Evaluation& e, const SimulationResult* result)
{
    QJsonObject o = EvaluationToJson(e);
    if (!e.Ok || !result)
        return o;
    return QJsonObject {
        {"file", o["file"]},
        {"ok", true},
        {"warnings", o["warnings"]},
        {"estimatedCycles", Number(e.FlashCycles)},
        {"simulation", SimulationToJson(*result, e.Config.DataTypeCount)},
    };
}

std::string SimulationReport(const Evaluation& e, const SimulationResult& r)
{
    std::string out = Line("File", e.File);
    for (const SimulationLine& line : SimulationWearLines(r))
        out += Line(line.Label, line.Value);
    if (r.Fits) {
        out += "Erases per block:\n";
        for (int j = 0; j < std::clamp(r.BlockCount, 0, kMaxBlocks); ++j) {
            out += "  " + BlockName(j) + " ("
                + WithThousandsSeparators(static_cast<double>(r.BlockCapacity[j]))
                + " bytes of records): " + ErasesText(r.BlockErases[j]) + '\n';
        }
        out += SimulationBytesTitle(r) + ":\n";
        const int64_t total = SimulationBytesTotal(r);
        for (const SimulationBytes& kind : SimulationByteKinds(r, e.Config.DataTypeCount)) {
            out += "  " + kind.Label + ": "
                + WithThousandsSeparators(static_cast<double>(kind.Bytes)) + " ("
                + ShareText(kind.Bytes, total) + ")\n";
        }
    }
    return out + Line("Note", r.Note);
}

bool SimulationFails(const SimulationResult& result, int cyclesLimit)
{
    return !result.Fits || result.SimulatedCycles > static_cast<double>(cyclesLimit);
}

const Command kSimulateCommand {
    "simulate",
    "simulate [FILE.xml ...] [--json] [--max-writes N] [--check]",
    "Loads each session file as evaluate does and replays its workload write by write on its "
    "ring of blocks, as Tools > Wear Simulation does: the erases of every block beside the "
    "Estimated Flash Cycles, the bytes programmed (payload, record overhead, garbage collection "
    "copies of each data type, close waste), the largest garbage collection, the write "
    "amplification and a note on how the most-worn block compares with the estimate, or why the "
    "data does not fit. Without FILE, the Defaults.xml beside the program is simulated. With "
    "--json, one JSON object per file and line. Exit status: 0 when every file was evaluated; 1 "
    "when a file was refused; 2 for a usage error; with --check, 3 when none was refused but a "
    "simulation does not fit or its simulated cycles are above the cycles limit.",
    Options,
    Check,
    Run,
};

} // namespace eee
