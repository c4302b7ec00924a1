// Plain records shared by the calculation engine, the files and the window.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace eee {

inline constexpr int kMaxDataTypes = 6;
inline constexpr int kMaxBlocks = 6;
inline constexpr int kCyclesLimit = 100000; // erase cycles the flash is rated for
inline constexpr int kLifetimeLimit = 20; // years the flash is rated for

// One selectable flash block size of a scheme, as listed in the catalogue.
struct BlockInfo
{
    int32_t Index = 0; // 0-based position of the block entry in the scheme's catalogue entry
    std::string SizeText; // the text shown in the block size lists and stored in sessions
    int32_t Size = 0; // low 32 bits of ParseBlockSize(SizeText)
};

// One data type as carried into and out of session files.
struct DataInfo
{
    int32_t DataSize = 0;
    int32_t Updates = 0;
    int32_t Records = 0;
    int32_t Frequency = 0; // 0 = Total, anything else = Daily
    int32_t CusOverhead = 0;

    bool operator==(const DataInfo&) const = default;
};

// Every input carried by one session file.
struct SessionRecord
{
    std::string Scheme;
    float LifeTime = 0.0f;
    bool CusOverheadEn = false;
    int32_t BlockOverhead = 0;
    std::vector<DataInfo> DataTypes;
    std::array<std::string, kMaxBlocks> BlockSize;
    int32_t BlocksSelected = 0;

    bool operator==(const SessionRecord&) const = default;
};

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

} // namespace eee
