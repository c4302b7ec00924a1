#include "Format.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace eee {

std::string PadExponents(std::string text)
{
    // An exponent is a digit, 'e' or 'E', a sign and digits; widen its digits to three.
    for (size_t i = 1; i + 2 < text.size(); ++i) {
        const char c = text[i];
        if ((c != 'e' && c != 'E') || !std::isdigit(static_cast<unsigned char>(text[i - 1]))
            || (text[i + 1] != '+' && text[i + 1] != '-'))
            continue;
        size_t first = i + 2;
        size_t last = first;
        while (last < text.size() && std::isdigit(static_cast<unsigned char>(text[last])))
            ++last;
        if (last == first)
            continue;
        if (last - first < 3)
            text.insert(first, 3 - (last - first), '0');
        i = first;
    }
    return text;
}

std::string Format(const char* fmt, ...)
{
    char buffer[512];
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(buffer, sizeof buffer, fmt, args);
    va_end(args);
    std::string text;
    if (needed < 0) {
        va_end(copy);
        return text;
    }
    if (static_cast<size_t>(needed) < sizeof buffer) {
        text.assign(buffer, static_cast<size_t>(needed));
    } else {
        text.resize(static_cast<size_t>(needed) + 1);
        std::vsnprintf(text.data(), text.size(), fmt, copy);
        text.resize(static_cast<size_t>(needed));
    }
    va_end(copy);
    return text;
}

std::string FormatG(double value, int precision)
{
    // std::to_chars with a precision writes what printf writes in the "C" locale, at a
    // fraction of its cost; the form writes these fields many times a calculation.
    char buffer[64];
    const std::to_chars_result end = std::to_chars(
        buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
    if (!std::isfinite(value) || end.ec != std::errc())
        return PadExponents(Format("%.*g", precision, value));
    return PadExponents(std::string(buffer, end.ptr));
}

std::string WithThousandsSeparators(double value)
{
    const std::string digits = Format("%.0f", value);
    std::string text;
    text.reserve(digits.size() + digits.size() / 3);
    // Walk from the last character towards the first; a comma goes in front of
    // every third character counted, but never in front of the first one.
    size_t counted = 0;
    for (size_t i = digits.size(); i-- > 0;) {
        text.push_back(digits[i]);
        ++counted;
        if (counted % 3 == 0 && i > 0)
            text.push_back(',');
    }
    return std::string(text.rbegin(), text.rend());
}

std::string RefreshIntervalText(double& value)
{
    std::string text = Format("%.8f", value);
    const size_t point = text.find('.');
    if (point != std::string::npos && text.compare(point + 1, 4, "0000") == 0) {
        // Too small (or too round) for eight decimals: show the mantissa form instead.
        value = std::strtod(text.c_str(), nullptr);
        text = PadExponents(Format("%e", value));
    }
    return text;
}

std::string FileNameOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FlashUsedText(int64_t bytes)
{
    return Format("Flash used for EEPROM emulation: %lld KB", static_cast<long long>(bytes / 1024));
}

} // namespace eee
