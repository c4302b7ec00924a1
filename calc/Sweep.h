// Sensitivity sweeps: one input of a configuration stepped over a range, each point the
// whole evaluation of the configuration with that one value changed, refused by the same
// rules and with the same messages as a session holding that value would be.
//
//     "updates:2=10:100000:*10"  -> ParseSweep -> SweepRequest
//     base configuration + request -> RunSweep -> one SweepPoint per value (Evaluate() each)
#pragma once

#include "calc/AdvisorCatalogue.h"
#include "calc/Evaluate.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace eee {

inline constexpr int kMaxSweepPoints = 10000;

enum class SweepParameter { LifeTime, BlockSize, Blocks, Updates, Records, DataSize };

struct SweepRequest
{
    SweepParameter Parameter = SweepParameter::LifeTime;
    int DataType = 0; // 1-based, for updates, records and size
    // The range: numbers, or block size texts for blocksize.
    double From = 0.0;
    double To = 0.0;
    std::string FromText;
    std::string ToText;
    bool Multiply = false; // ":*k" multiplies, ":k" adds
    double Step = 1.0;

    // "lifetime", "blocksize", "blocks", "updates:2", ...
    std::string Name() const;
};

// Reads "PARAM=FROM:TO[:STEP]". Nothing, with the reason, when it does not read; the
// points themselves (their count, the data type) are checked by SweepValues.
std::optional<SweepRequest> ParseSweep(std::string_view text, std::string& error);

// One value of a sweep: a number, or a block size of the scheme for blocksize.
struct SweepValue
{
    double Number = 0.0;
    std::string Text; // the value as the user reads it ("20", "x4000")
    int64_t BlockBytes = 0; // for blocksize
};

// The values of a request for a configuration, in order; nothing, with the reason, when
// the request cannot apply (an unknown data type, a block size the scheme does not offer,
// a step that does not advance, more than kMaxSweepPoints points).
std::optional<std::vector<SweepValue>> SweepValues(const SweepRequest& request,
    const EvalConfig& base, const std::vector<CatalogueBlock>& schemeBlocks, std::string& error);

struct SweepPoint
{
    SweepValue Value;
    bool Ok = false;
    std::string Error; // the message that refused the point
    EvalConfig Config;
    EvalResult Result; // of an accepted point
};

// The configuration with the point's value in place; nothing, with the message, when a
// session holding that value would be refused (a value out of its range).
std::optional<EvalConfig> ConfigWithValue(const SweepRequest& request, const EvalConfig& base,
    const SweepValue& value, std::string& error);

// One line about a point: "updates:1 = 100: 104710 flash cycles, in spec for 19.0 years,
// out of spec, Flash used for EEPROM emulation: 32 KB", or "... = 0: refused: MESSAGE".
std::string SweepPointText(const SweepRequest& request, const SweepPoint& point);

// Every point of the sweep, each evaluated in turn.
std::vector<SweepPoint> RunSweep(
    const SweepRequest& request, const EvalConfig& base, const std::vector<SweepValue>& values);

} // namespace eee
