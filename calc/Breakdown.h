// Which data type drives the erases, and how the figures of an evaluation were reached.
// Everything here is read from the numbers Evaluate() kept: nothing is recomputed
// another way, so the table and the trace always agree with the shown results.
#pragma once

#include "Evaluate.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace eee {

// One data type's part in the bytes written and in the flash cycles.
struct DataTypeShare
{
    int DataType = 0; // 1-based, as the form numbers its rows
    int64_t BytesHeld = 0; // S_i
    double BytesWritten = 0.0; // W_i, over the lifetime
    double WriteSharePercent = 0.0; // of all bytes written
    double FirstTerm = 0.0; // over the room beside the other data types
    double SecondTerm = 0.0; // over the room left free by all data types
    double Contribution = 0.0; // the mean of the two terms
    double CyclesSharePercent = 0.0; // of the sum of all contributions
};

struct Breakdown
{
    bool HasEstimate = false; // false when the blocks cannot hold the headers and the data
    std::vector<DataTypeShare> DataTypes;
    // The estimate written out with the actual numbers, one formula per line, in
    // the order an engineer checks it: flash cycles, lifetime updates, maximum
    // update requirement, refresh interval.
    std::vector<std::string> Trace;
};

Breakdown MakeBreakdown(const EvalConfig& config, const EvalResult& result);

// What the names of the trace stand for, one line each.
std::vector<std::string> TraceLegend();

// A number of the breakdown as the table and the trace write it: whole numbers
// without decimals, others with up to three.
std::string BreakdownNumber(double value);

// A percentage with one decimal.
std::string PercentText(double percent);

// The breakdown as a table, the same in the window, the report and anywhere else.
inline constexpr int kBreakdownColumnCount = 8;
inline constexpr std::array<const char*, kBreakdownColumnCount> kBreakdownColumns {"Data Type",
    "Bytes held", "Bytes written", "Share of bytes written (%)", "First term", "Second term",
    "Contribution", "Share of cycles (%)"};

// The cells of one data type's row, and the number each one shows (the data type's
// number in the first), in the order of kBreakdownColumns.
std::array<std::string, kBreakdownColumnCount> BreakdownCells(const DataTypeShare& share);
std::array<double, kBreakdownColumnCount> BreakdownValues(const DataTypeShare& share);

} // namespace eee
