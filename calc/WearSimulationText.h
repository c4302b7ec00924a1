// The texts of a wear simulation, the same in the window, the design-review report and
// eee-calc-cli: the wear figures as labels and values, and the bytes programmed by kind.
#pragma once

#include "calc/WearSimulation.h"

#include <cstdint>
#include <string>
#include <vector>

namespace eee {

inline constexpr const char* kWearSimulationTitle = "Wear simulation";

struct SimulationLine
{
    std::string Label;
    std::string Value;
};

// One kind of the bytes the flash programmed (or left unused when a block closed).
struct SimulationBytes
{
    std::string Label;
    int64_t Bytes = 0;
};

// Whole erases with thousands separators ("13,273"); projected ones with two decimals
// ("13,273.47").
std::string ErasesText(double erases);

// "Block 1" for block index 0.
std::string BlockName(int block);

// The share of a part in a whole: "12.3 %"; "-" when the whole is 0.
std::string ShareText(int64_t part, int64_t whole);

// The estimated flash cycles and, for a run that reached its end, the simulated cycles
// (the most-worn block), the ratio, the mean erases per block, the writes simulated of
// how many, the largest garbage collection and the write amplification. A run that did
// not reach its end has only the estimate: its note says why.
std::vector<SimulationLine> SimulationWearLines(const SimulationResult& result);

// What the bytes are of: "Bytes programmed" or, when projected, "Bytes programmed in the
// second half of the simulated writes".
std::string SimulationBytesTitle(const SimulationResult& result);

// The bytes programmed by kind: payload, record overhead, the garbage collection copies
// of each of the first dataTypeCount data types ("Copies of DataType1", ...) and the
// close waste. Their sum is SimulationBytesTotal().
std::vector<SimulationBytes> SimulationByteKinds(const SimulationResult& result, int dataTypeCount);
int64_t SimulationBytesTotal(const SimulationResult& result);

} // namespace eee
