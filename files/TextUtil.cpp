#include "files/TextUtil.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace eee::text {

namespace {

bool IsXmlSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Decodes one UTF-8 sequence at s[pos]. Returns its length and sets cp, or
// returns 0 for a byte that does not start a well-formed sequence (overlong
// forms, surrogates and values past U+10FFFF included).
std::size_t DecodeUtf8(std::string_view s, std::size_t pos, char32_t& cp)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b0 = byte(pos);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    std::size_t len = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (pos + len > s.size())
        return 0;
    for (std::size_t i = 1; i < len; ++i) {
        const unsigned char b = byte(pos + i);
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

bool IsXmlChar(char32_t cp)
{
    return cp == 0x9 || cp == 0xA || cp == 0xD || (cp >= 0x20 && cp <= 0xD7FF)
        || (cp >= 0xE000 && cp <= 0xFFFD) || (cp >= 0x10000 && cp <= 0x10FFFF);
}

locale_t CLocale()
{
    // Created once and kept: number texts in data files never follow the
    // user's locale (the GUI toolkit switches the process to it).
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

} // namespace

std::string_view TrimXmlSpace(std::string_view s)
{
    while (!s.empty() && IsXmlSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsXmlSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    }
    return true;
}

int32_t ParseCInt(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size() && IsCSpace(s[i]))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    // Accumulate in 64 bits and stop growing once past the 32-bit range.
    int64_t value = 0;
    constexpr int64_t kLimit = int64_t {std::numeric_limits<int32_t>::max()} + 1;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        if (value <= kLimit)
            value = value * 10 + (s[i] - '0');
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

float ParseCFloat(std::string_view s)
{
    const std::string copy(s);
    const double d = strtod_l(copy.c_str(), nullptr, CLocale());
    if (std::isnan(d))
        return 0.0f;
    if (d > std::numeric_limits<float>::max())
        return std::numeric_limits<float>::infinity();
    if (d < -std::numeric_limits<float>::max())
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(d);
}

std::string FormatLifeTime(float value)
{
    if (!std::isfinite(value))
        return {};
    // Seven significant digits in scientific form ("d.dddddde+XX"), then the
    // decimal point is placed by hand so that no exponent is ever written.
    char buf[64];
    const auto res = std::to_chars(
        buf, buf + sizeof buf, static_cast<double>(value), std::chars_format::scientific, 6);
    std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));
    const bool negative = !sci.empty() && sci.front() == '-';
    if (negative)
        sci.remove_prefix(1);
    const std::size_t e = sci.find('e');
    std::string digits(1, sci[0]);
    digits += sci.substr(2, e - 2);
    std::string_view expText = sci.substr(e + 1);
    const bool expNegative = expText.front() == '-';
    expText.remove_prefix(1);
    int exponent = 0;
    std::from_chars(expText.data(), expText.data() + expText.size(), exponent);
    if (expNegative)
        exponent = -exponent;

    const int integerDigits = exponent + 1;
    const int digitCount = static_cast<int>(digits.size());
    std::string out;
    if (integerDigits <= 0)
        out = "0." + std::string(static_cast<std::size_t>(-integerDigits), '0') + digits;
    else if (integerDigits >= digitCount)
        out = digits + std::string(static_cast<std::size_t>(integerDigits - digitCount), '0');
    else
        out = digits.substr(0, static_cast<std::size_t>(integerDigits)) + "."
            + digits.substr(static_cast<std::size_t>(integerDigits));
    if (out.find('.') != std::string::npos) {
        while (out.back() == '0')
            out.pop_back();
        if (out.back() == '.')
            out.pop_back();
    }
    if (negative && out != "0")
        out.insert(out.begin(), '-');
    return out;
}

bool IsXmlText(std::string_view s)
{
    for (std::size_t i = 0; i < s.size();) {
        char32_t cp = 0;
        const std::size_t len = DecodeUtf8(s, i, cp);
        if (len == 0 || !IsXmlChar(cp))
            return false;
        i += len;
    }
    return true;
}

std::size_t Utf8Length(std::string_view s)
{
    std::size_t count = 0;
    for (char c : s) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    }
    return count;
}

std::string ShowableText(std::string_view s, std::size_t maxBytes)
{
    std::string out;
    out.reserve(s.size() < maxBytes ? s.size() : maxBytes);
    for (std::size_t i = 0; i < s.size();) {
        char32_t cp = 0;
        std::size_t len = DecodeUtf8(s, i, cp);
        const bool bad = len == 0 || (cp < 0x20 && cp != '\t') || cp == 0x7F;
        if (bad && len == 0)
            len = 1;
        if (out.size() + (bad ? 1 : len) > maxBytes) {
            out += "...";
            break;
        }
        if (bad)
            out += '?';
        else
            out.append(s.substr(i, len));
        i += len;
    }
    return out;
}

std::string_view LineOfText(std::string_view text, int line)
{
    if (line < 1)
        return {};
    std::size_t start = 0;
    for (int i = 1; i < line; ++i) {
        const std::size_t lf = text.find('\n', start);
        if (lf == std::string_view::npos)
            return {};
        start = lf + 1;
    }
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos)
        end = text.size();
    std::string_view result = text.substr(start, end - start);
    if (!result.empty() && result.back() == '\r')
        result.remove_suffix(1);
    return result;
}

} // namespace eee::text
