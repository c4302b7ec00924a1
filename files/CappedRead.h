// Reading a data file into memory in one go, with a size cap, without ever
// blocking on something that is not a regular file.
#pragma once

#include <cstddef>
#include <string>

namespace eee::xml {

// No data file of the program comes near this; anything larger is refused
// before the parser sees it.
inline constexpr std::size_t kMaxFileBytes = 1u << 20;

enum class ReadStatus { Ok, NotFound, TooLarge, NotRegular, Error };

// Reads a regular file of at most kMaxFileBytes into bytes. err receives the
// errno of a failure (0 otherwise); bytes is empty after a failure.
ReadStatus ReadFileCapped(const std::string& path, std::string& bytes, int& err);

// True when path names an existing regular file.
bool IsRegularFile(const std::string& path);

} // namespace eee::xml
