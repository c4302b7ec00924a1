// Files the user names for a command's output (images, documents).
#pragma once

#include <string>
#include <string_view>

namespace eee {

// Writes bytes to path, the name used byte for byte as given. A regular file
// is replaced atomically, so that a full disk or a crash leaves the earlier
// file whole; a device or a pipe (/dev/stdout) is written straight through.
// Returns 0, or the errno of the failure.
int WriteOutputFile(const std::string& path, std::string_view bytes);

// "could not write PATH: REASON" for an errno of WriteOutputFile.
std::string WriteFailureText(const std::string& path, int error);

} // namespace eee
