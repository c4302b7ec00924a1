// The arithmetic of sizes, block fit and flash cycles, as pure functions. Evaluate()
// composes them; the form's own steps call the same functions through adapters that
// take the form's inputs.
#pragma once

#include "Evaluate.h"
#include "Types.h"

#include <array>
#include <cstdint>
#include <string>

namespace eee {

inline constexpr const char* kMsgBlocksTooSmall
    = "Block size selected is less than the total data size. Please select a bigger block size.";

struct SizeTotals
{
    int64_t UserDataBytes = 0;
    int64_t Overhead = 0;
    int64_t Bytes = 0;
};

// Record overheads and the three totals of the configuration's data types.
SizeTotals ComputeSizes(
    const EvalConfig& config, std::array<int32_t, kMaxDataTypes>& recordOverhead);

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

// Estimated flash erase cycles over a lifetime of `lifeTime` years, given the bytes of
// the selected blocks and the record overheads. Each data type's part of the estimate
// is written to `terms` when given.
FlashCycleEstimate EstimateFlashCycles(const EvalConfig& config,
    const std::array<int32_t, kMaxDataTypes>& recordOverhead, int64_t flashUsedBytes,
    float lifeTime, EvalResult* terms = nullptr);

// The endurance numbers of a configuration whose sizes are known: the estimate with each
// type's terms, lifetime updates, the maximum update requirement and the refresh interval.
// False when no estimate exists (NegativeRoom).
bool ComputeEnduranceNumbers(const EvalConfig& config,
    const std::array<int32_t, kMaxDataTypes>& recordOverhead, int64_t flashUsedBytes,
    EvalResult& result);

} // namespace eee
