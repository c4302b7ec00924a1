#include "files/CappedRead.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace eee::xml {

ReadStatus ReadFileCapped(const std::string& path, std::string& bytes, int& err)
{
    bytes.clear();
    err = 0;
    // O_NONBLOCK keeps a FIFO from blocking the open; it is refused below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        err = errno;
        return (err == ENOENT || err == ENOTDIR) ? ReadStatus::NotFound : ReadStatus::Error;
    }
    struct stat st
    { };
    ReadStatus status = ReadStatus::Ok;
    if (::fstat(fd, &st) != 0) {
        err = errno;
        status = ReadStatus::Error;
    } else if (!S_ISREG(st.st_mode)) {
        status = ReadStatus::NotRegular;
    } else if (static_cast<unsigned long long>(st.st_size) > kMaxFileBytes) {
        status = ReadStatus::TooLarge;
    } else {
        // One byte more than fstat reported shows whether the file has grown
        // since; the buffer then grows, up to one byte past the cap.
        bytes.resize(static_cast<std::size_t>(st.st_size) + 1);
        std::size_t total = 0;
        for (;;) {
            if (total == bytes.size()) {
                if (total > kMaxFileBytes)
                    break;
                bytes.resize(std::min(2 * total, kMaxFileBytes + 1));
            }
            const ssize_t n = ::read(fd, bytes.data() + total, bytes.size() - total);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                err = errno;
                status = ReadStatus::Error;
                break;
            }
            if (n == 0)
                break;
            total += static_cast<std::size_t>(n);
        }
        bytes.resize(total);
        if (status == ReadStatus::Ok && total > kMaxFileBytes)
            status = ReadStatus::TooLarge;
    }
    ::close(fd);
    if (status != ReadStatus::Ok)
        bytes.clear();
    return status;
}

bool IsRegularFile(const std::string& path)
{
    struct stat st
    { };
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace eee::xml
