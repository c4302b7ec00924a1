// eee-calc-cli simulate [FILE.xml ...] [--json] [--max-writes N] [--check]
//
// Each file is loaded as `evaluate` loads it (a refused file is reported the same
// way), then its workload is replayed write by write on its ring of blocks
// (calc/WearSimulation.h): the erases of every block beside the cycle estimate, the
// bytes programmed by kind and one note, as text or as one JSON object per line.
#pragma once

#include "calc/WearSimulation.h"
#include "cli/CommandLine.h"
#include "cli/Evaluator.h"

#include <QJsonObject>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace eee {

struct SimulateOptions
{
    std::vector<std::string> Files; // none: the delivered Defaults.xml
    bool Json = false; // one JSON object per file and line
    bool Check = false; // exit 3 when a simulation does not fit or passes the cycles limit
    int64_t MaxWrites = kDefaultMaxWrites;
};

// The options as given; nothing, with the usage error in error, when they are wrong.
std::optional<SimulateOptions> ReadSimulateOptions(
    const CommandOptions& options, std::string& error);

// --max-writes: a whole number of at least 1; nothing otherwise.
std::optional<int64_t> ParseMaxWrites(const std::string& text);

// The simulation of one evaluated file, keyed as the JSON names them: status,
// blockErases, maxBlockErases, meanBlockErases, simulatedCycles, estimatedCycles,
// ratio (null without an estimate), writes, totalWrites, projected, payloadBytes,
// recordOverheadBytes, gcBytes, closeWasteBytes, gcBytesByType (one per data type),
// largestGcBytes, writeAmplification, fits and note.
QJsonObject SimulationToJson(const SimulationResult& result, int dataTypeCount);

// One file's object: a refused file's is evaluate's (file, ok, warnings, error and
// reason); an evaluated file's has file, ok, warnings, estimatedCycles and simulation.
QJsonObject SimulatedFileToJson(const Evaluation& evaluation, const SimulationResult* result);

// The readable report of an evaluated file's simulation; every line ends with a line break.
std::string SimulationReport(const Evaluation& evaluation, const SimulationResult& result);

// What --check fails on: a simulation that did not reach its end or whose simulated
// cycles are above the cycles limit.
bool SimulationFails(const SimulationResult& result, int cyclesLimit);

extern const Command kSimulateCommand;

} // namespace eee
