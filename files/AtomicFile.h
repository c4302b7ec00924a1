// Replacing a file so that a reader sees either the old or the new content,
// never a half-written one, even when the disk fills up or power is lost.
#pragma once

#include <string>
#include <string_view>

namespace eee {

// Writes bytes to a temporary file in the target's folder, flushes it to the
// disk, renames it over the target and flushes the folder. The target is path,
// or, when path is a symbolic link, the file the link names (whether it exists
// yet or not). Returns 0 on success or the errno of the failure; on failure
// the old file is untouched and no temporary file is left behind.
int WriteFileAtomically(const std::string& path, std::string_view bytes);

} // namespace eee
