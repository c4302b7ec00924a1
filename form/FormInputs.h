// The inputs and results the form holds for the engine, as its fields read and show
// them, and the configuration they stand for.
#pragma once

#include "calc/Evaluate.h"
#include "calc/Types.h"

#include <array>
#include <cstdint>

namespace eee {

// The inputs the window holds for the engine, with their initial values.
struct CalcInputs
{
    std::string Scheme;
    float LifeTime = 20.0f;
    int32_t BlocksSelected = 2;
    int32_t DataTypeCount = 6;
    // 32 bits, so that a number beyond a field's range stays the number it
    // was and is refused as such, instead of wrapping round into the range.
    std::array<int32_t, kMaxDataTypes> DataSize {512, 256, 128, 64, 32, 16};
    std::array<int64_t, kMaxDataTypes> Updates {10, 20, 30, 40, 50, 100};
    std::array<int32_t, kMaxDataTypes> Records {8, 8, 8, 8, 8, 8};
    std::array<int32_t, kMaxDataTypes> Frequency {};
    bool CusOverheadEn = false;
    int32_t BlockOverhead = 0;
    std::array<int32_t, kMaxDataTypes> CusOverhead {};
    std::array<int32_t, kMaxDataTypes> RecordOverhead {};
    int32_t RecordAlignment = 0;
    int32_t CyclesLimit = kCyclesLimit;
    bool ReadyFlag = true;

    bool operator==(const CalcInputs&) const = default;
};

// The results shown in the read-only fields. Sizes are kept in 64 bits so that
// totals of large customized overheads are shown and checked with their true value.
struct CalcResults
{
    int64_t TotalUserDataBytes = 0;
    int64_t TotalOverhead = 0;
    int64_t TotalBytes = 0;
    int64_t FlashUsedBytes = 0;
    double LifetimeUpdates = 0.0;
    double MaxUpdateRequirement = 0.0;
    double FlashCycles = 0.0;
    double RefreshIntervalDays = 0.0;
};

// The configuration the form's inputs stand for.
EvalConfig ConfigFromInputs(const CalcInputs& in, const std::array<int64_t, kMaxBlocks>& blocks);

} // namespace eee
