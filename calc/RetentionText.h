// The texts of a retention check, the same in the window and in eee-calc-cli:
// a headline with the verdict, lines that show how it was reached, and a
// summary of a device profile's figures.
#pragma once

#include "calc/Retention.h"

#include <string>
#include <vector>

namespace eee {

inline constexpr const char* kRetentionLabel = "Data retention: ";

// "Data retention: " followed by the check's note, for example "Data
// retention: in spec: the mission uses 59.1% of the 10-year retention".
std::string RetentionHeadline(const RetentionResult& result);

// The lines below the headline: the tier that holds for the cycles (or why
// none does), the mission with the acceleration factor of each segment, and
// with a tier the effective retention and the margin.
std::vector<std::string> RetentionDetails(
    const DeviceProfile& profile, const RetentionResult& result);

// The profile's figures on one line: "endurance 100000 cycles; retention at
// 55 °C: 20 years up to 10000 cycles, 10 years up to 100000 cycles; activation
// energy 0.7 eV".
std::string ProfileSummary(const DeviceProfile& profile);

} // namespace eee
