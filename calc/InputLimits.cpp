#include "calc/InputLimits.h"

#include "calc/Format.h"

namespace eee {

std::string IntegerRangeMessage(int64_t low, int64_t high)
{
    return Format("Please enter an integer between %lld and %lld.", static_cast<long long>(low),
        static_cast<long long>(high));
}

std::string NumberRangeMessage(double low, double high)
{
    return Format("Please enter a number between %.*g and %.*g.", 6, low, 6, high);
}

} // namespace eee
