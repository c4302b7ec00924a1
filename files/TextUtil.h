// Small text helpers of the XML layer: C-style number reading, trimming,
// letter-case-blind comparison, lifetime formatting and UTF-8 checks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace eee::text {

// Leading and trailing XML white space (blank, tab, CR, LF) removed.
std::string_view TrimXmlSpace(std::string_view s);

// ASCII letters compared without regard to case; every other byte exactly.
bool EqualsNoCase(std::string_view a, std::string_view b);

// As a C decimal conversion reads an int: optional white space, optional sign,
// digits up to the first non-digit; no digits gives 0. Values beyond the
// 32-bit range saturate.
int32_t ParseCInt(std::string_view s);

// As a C decimal conversion reads a float, independent of the process locale.
// Text without a number and NaN give 0.
float ParseCFloat(std::string_view s);

// The lifetime as written into session files: at most seven significant
// digits, no trailing zeros, never an exponent ("20", "2.5", "0.1").
// Returns an empty text for a value that is not finite.
std::string FormatLifeTime(float value);

// True when s is well-formed UTF-8 holding only characters that XML 1.0 allows.
bool IsXmlText(std::string_view s);

// Number of code points of a well-formed UTF-8 text.
std::size_t Utf8Length(std::string_view s);

// A text safe to show: bytes that are not well-formed UTF-8 and control
// characters other than tab become '?', and the text is cut to maxBytes
// (at a character boundary) with "..." appended.
std::string ShowableText(std::string_view s, std::size_t maxBytes);

// Line number line (from 1) of a text, without its line break; empty when the
// text has fewer lines.
std::string_view LineOfText(std::string_view text, int line);

} // namespace eee::text
