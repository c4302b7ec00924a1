#include "AdvisorHeadroom.h"

#include "Format.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace eee {

namespace {
// Below this the factor makes every product 0 for any update count the form takes.
constexpr int kSmallestExponent = -12;

int64_t PowerOfTen(int exponent)
{
    int64_t value = 1;
    for (int i = 0; i < exponent; ++i)
        value *= 10;
    return value;
}

// round(updates x mantissa x 10^exponent) in whole numbers, so that no factor is
// off by the binary writing of a decimal fraction; saturates instead of overflowing.
int64_t ScaleUpdates(int64_t updates, HeadroomFactor factor)
{
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    const bool negative = updates < 0;
    const int64_t magnitude = negative ? -std::max(updates, -kMax) : updates;
    const int64_t mantissa = factor.Mantissa;
    int64_t product = 0;
    if (magnitude == 0 || mantissa == 0) {
        product = 0;
    } else if (factor.Exponent >= 0) {
        const int64_t scale = PowerOfTen(factor.Exponent);
        product = magnitude > kMax / mantissa / scale ? kMax : magnitude * mantissa * scale;
    } else {
        // updates x mantissa / divisor = whole part exactly, plus the remainder's share,
        // rounded half up; neither product can overflow.
        const int64_t divisor = PowerOfTen(-factor.Exponent);
        const int64_t quotient = magnitude / divisor;
        const int64_t remainder = magnitude % divisor;
        const int64_t whole = quotient > kMax / mantissa ? kMax : quotient * mantissa;
        const int64_t share = (remainder * mantissa * 2 + divisor) / (divisor * 2);
        product = whole > kMax - share ? kMax : whole + share;
    }
    return negative ? -product : product;
}
} // namespace

double HeadroomFactor::Value() const
{
    return Mantissa * std::pow(10.0, Exponent);
}

std::string HeadroomFactor::Text() const
{
    if (Mantissa == 0)
        return "0";
    return Format("%.*f", Exponent < 0 ? -Exponent : 0, Value());
}

HeadroomFactor HeadroomFactor::Next() const
{
    if (Mantissa == 0)
        return {100, kSmallestExponent};
    if (Mantissa >= 999)
        return {100, Exponent + 1};
    return {Mantissa + 1, Exponent};
}

EvalConfig WithScaledUpdates(const EvalConfig& config, HeadroomFactor factor)
{
    EvalConfig scaled = config;
    for (DataTypeInput& type : scaled.DataTypes)
        type.Updates = ScaleUpdates(type.Updates, factor);
    return scaled;
}

bool MeetsCyclesLimit(const EvalResult& result, double cyclesLimit)
{
    return result.Fits && !result.NegativeRoom && result.FlashCycles <= cyclesLimit;
}

AdvisorHeadroom FindHeadroom(const EvalConfig& config, double cyclesLimit)
{
    AdvisorHeadroom headroom;
    const EvalResult current = Evaluate(config);
    headroom.Evaluations = 1;
    headroom.InSpecYears = current.InSpecYears;
    // Whether the data fits, and whether the blocks hold it at all, do not depend on the
    // updates; with every update count at 0 the cycles are 0.
    headroom.Possible = current.Fits && !current.NegativeRoom;
    if (!headroom.Possible)
        return headroom;

    auto meets = [&](HeadroomFactor factor) {
        ++headroom.Evaluations;
        return MeetsCyclesLimit(Evaluate(WithScaledUpdates(config, factor)), cyclesLimit);
    };

    // The decade first: the largest power of ten within the limits. The cycles never
    // fall as the updates grow, so the factors within the limits are all those below
    // a boundary.
    int decade = 0; // the factor 10^decade, written {100, decade - 2}
    if (meets({100, decade - 2})) {
        while (decade + 1 <= kLargestHeadroomFactor.Exponent + 2 && meets({100, decade - 1}))
            ++decade;
        if (decade == kLargestHeadroomFactor.Exponent + 2) {
            headroom.Unbounded = true;
            headroom.Factor = kLargestHeadroomFactor;
            return headroom;
        }
    } else {
        do {
            --decade;
        } while (decade - 2 > kSmallestExponent && !meets({100, decade - 2}));
        if (decade - 2 <= kSmallestExponent && !meets({100, decade - 2})) {
            headroom.Factor = {};
            return headroom;
        }
    }

    // Then the three digits: 100 is within the limits, 1000 (the next decade) is not.
    int low = 100;
    int high = 1000;
    while (high - low > 1) {
        const int middle = (low + high) / 2;
        if (meets({middle, decade - 2}))
            low = middle;
        else
            high = middle;
    }
    headroom.Factor = {low, decade - 2};
    return headroom;
}

} // namespace eee
