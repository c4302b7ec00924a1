#pragma once

#include <cstdint>
#include <string_view>

namespace eee {

// Reads a block size text as a hexadecimal byte count whose first character is
// not examined ("x4000" is 16384). Returns -1 for a text that is not well formed
// and 0 for a text of fewer than two characters. Values wrap modulo 2^64.
int64_t ParseBlockSize(std::string_view text);

// The low 32 bits of ParseBlockSize, as the sizes of blocks are used everywhere.
int32_t BlockSizeBytes(std::string_view text);

} // namespace eee
