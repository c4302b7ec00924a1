// Number formats of the program. Exponents are always written with at least
// three digits (7.300000e+001), which the C library here does not do by itself.
#pragma once

#include <cstdint>
#include <string>

namespace eee {

// printf into a std::string. The text is left as printf made it: messages carry
// names that must not change, so numbers with exponents go through FormatG or PadExponents.
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// Pads every exponent of a printf result ("e+01" -> "e+001") to at least three digits.
std::string PadExponents(std::string text);

// "%.*g" with the given precision.
std::string FormatG(double value, int precision);

// "%.0f" of the value with "," in front of every third digit counted from the end.
std::string WithThousandsSeparators(double value);

// "%.8f", or "%e" of that text read back when its first four decimals are zeros.
// Returns the text; value is replaced by the number read back in the second case.
std::string RefreshIntervalText(double& value);

// The last component of a path: messages name a file without its folder.
std::string FileNameOf(const std::string& path);

// "Flash used for EEPROM emulation: %d KB" with bytes / 1024 truncated.
std::string FlashUsedText(int64_t bytes);

} // namespace eee
