#include "cli/OutputFile.h"

#include "files/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace eee {

namespace {

int WriteThrough(const std::string& path, std::string_view bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int error = 0;
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            break;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

} // namespace

int WriteOutputFile(const std::string& path, std::string_view bytes)
{
    struct stat existing
    { };
    // Renaming over a device or a pipe would remove it instead of writing to it.
    if (::stat(path.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)
        && !S_ISDIR(existing.st_mode))
        return WriteThrough(path, bytes);
    return WriteFileAtomically(path, bytes);
}

std::string WriteFailureText(const std::string& path, int error)
{
    return "could not write " + path + ": " + std::strerror(error);
}

} // namespace eee
