// The "Wear simulation" section of the design-review report: the workload replayed
// on the ring of blocks (calc/WearSimulation.h) beside the cycle estimate, with the
// same texts as Tools > Wear Simulation and eee-calc-cli simulate.
#pragma once

#include "calc/Evaluate.h"
#include "calc/WearSimulation.h"
#include "report/ReportDocument.h"

namespace eee {

// Simulates the calculation and appends its section.
void AddWearSimulationSection(
    ReportDocument& document, const EvalConfig& config, const EvalResult& result);

// Appends the section of a simulation: the note; for a run that reached its end the
// wear figures, a table of the erases of every block and a table of the bytes
// programmed by kind (payload, record overhead, copies of each data type, close waste).
void AddWearSimulationSection(
    ReportDocument& document, const SimulationResult& simulation, int dataTypeCount);

} // namespace eee
