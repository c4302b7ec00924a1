#include "BlockSize.h"

#include <cmath>

namespace eee {

namespace {
// 16^power reduced modulo 2^64: powers of 16 from 16^16 on are 0 modulo 2^64,
// so a long text of leading zeros still reads as its value.
uint64_t PowerOf16(size_t power)
{
    if (power >= 16)
        return 0;
    return uint64_t {1} << (4 * power);
}
} // namespace

int64_t ParseBlockSize(std::string_view text)
{
    // The first character is a marker (as in "x4000") and is never looked at.
    const size_t length = text.size();
    uint64_t result = 0;
    for (size_t n = length; n-- > 1;) {
        const char c = text[n];
        uint64_t value = 0;
        if (c >= '0' && c <= '9')
            value = static_cast<uint64_t>(c - '0');
        else if (c >= 'A' && c <= 'F')
            value = static_cast<uint64_t>(c - 'A' + 10);
        else if (c >= 'a' && c <= 'f')
            value = static_cast<uint64_t>(c - 'a' + 10);
        else
            return -1;
        result += value * PowerOf16(length - 1 - n);
    }
    return static_cast<int64_t>(result);
}

int32_t BlockSizeBytes(std::string_view text)
{
    return static_cast<int32_t>(static_cast<uint32_t>(ParseBlockSize(text)));
}

} // namespace eee
