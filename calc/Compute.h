// The arithmetic of sizes, block fit, flash cycles, endurance and verdict, as
// pure functions over the plain records.
#pragma once

#include "Types.h"

#include <array>
#include <cstdint>
#include <string>

namespace eee {

inline constexpr const char* kMsgBlocksTooSmall
    = "Block size selected is less than the total data size. Please select a bigger block size.";

// Record overheads and the three totals of the first DataTypeCount data types.
// The scheme constants are those of in.Scheme; the alignment is in.RecordAlignment.
void ComputeSizes(CalcInputs& in, CalcResults& out);

// Whether `totalBytes` fits into every run of nb-1 cyclically neighbouring blocks.
// blockBytes[k] is the size of block k (0 for an empty list).
bool BlocksFit(int64_t totalBytes, const std::array<int64_t, kMaxBlocks>& blockBytes, int nb);

struct FlashCycleEstimate
{
    double Cycles = 0.0;
    // A data type or the block headers need more room than the blocks give:
    // the data does not fit and no estimate exists.
    bool NegativeRoom = false;
};

// Estimated flash erase cycles over a lifetime of `lifeTime` years, given the
// bytes of the selected blocks and the record overheads of the last ComputeSizes.
FlashCycleEstimate EstimateFlashCycles(
    const CalcInputs& in, int64_t flashUsedBytes, float lifeTime);

struct EnduranceTexts
{
    std::string LifetimeUpdates; // "Total Application Lifetime Updates"
    std::string RefreshInterval; // empty when the interval was not computed
    bool RefreshComputed = false;
};

// Lifetime updates, maximum update requirement, flash cycles and refresh interval.
// Returns false (and changes nothing) when the data does not fit (negative room).
// When the cycles are 0 the refresh interval keeps its previous value.
bool ComputeEndurance(const CalcInputs& in, CalcResults& out, EnduranceTexts& texts);

struct VerdictTexts
{
    std::string First;
    std::string Second;
    std::string Lifetime;
};

// The three notification lines from the lifetime, the cycles and the in-spec years.
VerdictTexts MakeVerdict(float lifeTime, double flashCycles, int cyclesLimit, float inSpecYears);

} // namespace eee
