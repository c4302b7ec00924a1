// The road of one calculation, the same for every front end:
//
//     configuration -> Evaluate() -> numbers -> texts on demand -> chart and verdict
//
// The window builds the configuration from its form (after the form's rules have
// read every field), eee-calc-cli from a loaded session through the same form code,
// the design advisor from each configuration it tries. Evaluate() reads no form,
// parses no displayed text, allocates nothing and never looks at a painted chart:
// the in-spec years come from the chart model at the window chart's own size, so
// they are exactly the years the chart shows.
#pragma once

#include "Types.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace eee {

// One data type of a configuration.
struct DataTypeInput
{
    int32_t DataSize = 0; // bytes of one record
    int64_t Updates = 0; // over the lifetime (Total) or per day (Daily)
    int32_t Records = 0;
    bool Daily = false;
    int32_t CustomOverhead = 0; // record overhead used when the overheads are customized
};

// Everything one evaluation depends on.
struct EvalConfig
{
    std::string_view Scheme; // a name of the scheme table: its header overheads
    int32_t RecordAlignment = 0; // of the scheme's catalogue entry
    float LifeTime = 20.0f; // years
    int BlockCount = 2;
    std::array<int64_t, kMaxBlocks> BlockBytes {}; // the first BlockCount are used
    int DataTypeCount = 0;
    std::array<DataTypeInput, kMaxDataTypes> DataTypes {};
    bool CustomOverhead = false; // "Customize Overhead": the overheads below replace the scheme's
    int32_t BlockOverhead = 0;
    int CyclesLimit = kCyclesLimit;
};

// What one data type contributes to the flash cycle estimate.
struct DataTypeTerms
{
    int64_t HeldBytes = 0; // S_i: (data size + record overhead) x records
    double WrittenBytes = 0.0; // W_i: bytes written over the lifetime
    int64_t RoomBesideOthers = 0; // T - O_i: the flash not held by the others and the headers
    int64_t RoomLeft = 0; // T - P: the flash left free by all data and headers
    double FirstTerm = 0.0; // ceil(W_i / (T - O_i)); 0 when that room is 0
    double SecondTerm = 0.0; // ceil(W_i / (T - P)); 0 when that room is 0
    double LifetimeUpdates = 0.0; // updates of this type over the lifetime
    double LifetimeBytes = 0.0; // its share of the Total Application Lifetime Updates
};

// Every number of one evaluation.
struct EvalResult
{
    std::array<int32_t, kMaxDataTypes> RecordOverhead {};
    int64_t TotalUserDataBytes = 0;
    int64_t TotalOverhead = 0;
    int64_t TotalBytes = 0;
    int64_t FlashUsedBytes = 0;
    int64_t BlockOverhead = 0; // the header of one block: the scheme's or the customized one
    int64_t BlockHeaders = 0; // B: the headers of all selected blocks
    bool Fits = false; // the data fits into every run of BlockCount-1 neighbouring blocks

    // The blocks cannot even hold the headers and the data: no estimate exists
    // (and none of the numbers below is computed).
    bool NegativeRoom = false;
    std::array<DataTypeTerms, kMaxDataTypes> Terms {};
    double FirstSum = 0.0;
    double SecondSum = 0.0;
    double FlashCycles = 0.0;
    double LifetimeUpdates = 0.0;
    bool HasMaxUpdateRequirement = false; // false without data types
    double MaxUpdateRequirement = 0.0;
    bool HasRefreshInterval = false; // false when the cycles are 0
    double RefreshIntervalDays = 0.0;
    float InSpecYears = 0.0f; // where the envelope chart's line leaves the in-spec area
    bool InSpec = false; // lifetime and cycles both within the limits
};

EvalResult Evaluate(const EvalConfig& config);

// In spec: a lifetime of at most 20 years and at most cyclesLimit flash cycles. The one
// rule behind EvalResult::InSpec, the verdict lines, the advisor and the report.
bool IsInSpec(float lifeTime, double flashCycles, int cyclesLimit);

// The three notification lines.
struct VerdictTexts
{
    std::string First;
    std::string Second;
    std::string Lifetime;
};

// The three lines from the lifetime, the cycles and the in-spec years.
VerdictTexts MakeVerdict(float lifeTime, double flashCycles, int cyclesLimit, float inSpecYears);
VerdictTexts MakeVerdict(const EvalConfig& config, const EvalResult& result);

// The texts the window shows for the numbers of an evaluation.
struct ResultTexts
{
    std::string TotalUserDataBytes;
    std::string TotalOverhead;
    std::string TotalBytes;
    std::string FlashUsed; // "Flash used for EEPROM emulation: %d KB"
    std::string LifetimeUpdates; // with thousands separators
    std::string MaxUpdateRequirement;
    std::string FlashCycles;
    std::string RefreshInterval; // empty without an interval
    double RefreshIntervalDays = 0.0; // the interval as its text reads back
};

ResultTexts MakeResultTexts(const EvalResult& result);

} // namespace eee
