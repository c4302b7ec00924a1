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

} // namespace eee
