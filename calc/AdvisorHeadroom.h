// Headroom of a configuration: how far every data type's updates can grow, all by the
// same factor, before the configuration leaves the limits. Found by evaluating the
// configuration at trial factors, so every rule of the estimate (rounding up each
// term, the skipped terms) counts; nothing assumes the cycles grow in proportion.
#pragma once

#include "Evaluate.h"

#include <string>

namespace eee {

// A factor of three significant digits: Mantissa x 10^Exponent, Mantissa 100 to 999.
struct HeadroomFactor
{
    int Mantissa = 0; // 0 for the factor 0
    int Exponent = 0;

    double Value() const;
    // As written: three significant digits ("9.54", "0.0237", "2370"); "0" for 0.
    std::string Text() const;
    // The next larger factor of three significant digits (2.37 -> 2.38, 9.99 -> 10.0).
    HeadroomFactor Next() const;
    bool operator==(const HeadroomFactor&) const = default;
};

// The largest factor searched; a configuration still within the limits there has no
// bound worth telling (its cycles do not grow with the updates).
inline constexpr HeadroomFactor kLargestHeadroomFactor {100, 4}; // 1000000

struct AdvisorHeadroom
{
    // Some factor keeps the configuration within the limits: it fits its blocks.
    bool Possible = false;
    // Within the limits even at kLargestHeadroomFactor.
    bool Unbounded = false;
    // The largest factor within the limits (0 when not Possible).
    HeadroomFactor Factor;
    // The configuration as it is: the longest lifetime in spec, from the envelope chart.
    float InSpecYears = 0.0f;
    int Evaluations = 0;
};

// The configuration with each data type's updates multiplied by the factor, each
// product rounded to a whole number (halves away from zero).
EvalConfig WithScaledUpdates(const EvalConfig& config, HeadroomFactor factor);

// Whether an evaluated configuration meets what the advisor asks of it: the data fits
// its blocks, an estimate exists, and the cycles are at most `cyclesLimit`. The lifetime
// is not looked at: over 20 years nothing is in spec, and the cycles decide alone.
bool MeetsCyclesLimit(const EvalResult& result, double cyclesLimit);

// The headroom of `config` against `cyclesLimit` (see MeetsCyclesLimit).
AdvisorHeadroom FindHeadroom(const EvalConfig& config, double cyclesLimit);

} // namespace eee
