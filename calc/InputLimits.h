// The limits of the calculation's inputs and the messages that name them: the form's
// field rules and a session's own checks use them, and so does every tool that changes
// an input (the sweeps), so that a value is refused alike wherever it is entered.
#pragma once

#include <cstdint>
#include <string>

namespace eee {

inline constexpr int32_t kDataSizeMin = 1, kDataSizeMax = 4096;
inline constexpr int64_t kUpdatesMin = 1, kUpdatesMax = 100000000;
inline constexpr int32_t kRecordsMin = 1, kRecordsMax = 30000;
inline constexpr int32_t kOverheadMin = 0, kOverheadMax = 65536;
inline constexpr float kLifeTimeMin = 1.0f, kLifeTimeMax = 99.0f;
inline constexpr int kBlockCountMin = 2, kBlockCountMax = 6;

// What a session may say before the form's fields are read.
inline constexpr double kSessionLifeTimeMin = 0.1, kSessionLifeTimeMax = 99.0;
inline constexpr const char* kMsgSessionLifeTime
    = "Invalid Life time. Please select a value between 0.1 and 99, both inclusive";
inline constexpr const char* kMsgSessionBlockCount
    = "Invalid number of blocks. Please select a value between 2 and 6, both inclusive";

// "Please enter an integer between %1 and %2." with the bounds filled in.
std::string IntegerRangeMessage(int64_t low, int64_t high);
// "Please enter a number between %1 and %2." with the bounds filled in.
std::string NumberRangeMessage(double low, double high);

} // namespace eee
