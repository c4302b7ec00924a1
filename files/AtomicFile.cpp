#include "files/AtomicFile.h"

#include <array>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace eee {

namespace {

// Keeps the temporary name within the file system's name limit even for a
// target name that is already close to it.
constexpr std::size_t kMaxTempStem = 200;

// As many links as the system itself follows in one path (Linux: 40).
constexpr int kMaxLinkHops = 40;

std::string RandomSuffix()
{
    thread_local std::mt19937_64 generator {std::random_device {}()};
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string suffix;
    uint64_t value = generator();
    for (int i = 0; i < 12; ++i, value >>= 4)
        suffix += kDigits[value & 0xF];
    return suffix;
}

int WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

void SyncFolder(const std::string& folder)
{
    // Makes the rename itself durable. By now the new content is in place, so
    // a folder that cannot be flushed (some file systems refuse) is no failure.
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
}

// A symbolic link is followed, so that the file it names is written and the
// link stays a link, as a plain write through the link would do. The file it
// names need not exist yet (a dangling link), so the link text is followed
// step by step rather than resolved by the system.
int ResolveLinks(const std::string& path, std::string& target)
{
    target = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat st
        { };
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return 0;
        if (hop == kMaxLinkHops)
            break;
        std::string named(PATH_MAX, '\0');
        const ssize_t n = ::readlink(target.c_str(), named.data(), named.size());
        if (n < 0)
            return errno;
        if (n == 0 || static_cast<std::size_t>(n) >= named.size())
            return ENAMETOOLONG;
        named.resize(static_cast<std::size_t>(n));
        // A relative link text is relative to the folder of the link.
        if (named.front() != '/') {
            const std::string folder = FolderOf(target);
            named = (folder == "/" ? "/" : folder + "/") + named;
        }
        target = std::move(named);
    }
    return ELOOP;
}

} // namespace

int WriteFileAtomically(const std::string& path, std::string_view bytes)
{
    if (path.empty())
        return ENOENT;
    std::string target;
    if (const int err = ResolveLinks(path, target); err != 0)
        return err;
    const std::size_t slash = target.rfind('/');
    const std::string folder = FolderOf(target);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    if (name.empty())
        return EISDIR;

    struct stat old
    { };
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode))
        return EISDIR;
    // Only a regular file is replaced: renaming over a device, a pipe or a
    // socket would destroy it instead of writing to it.
    if (replacing && !S_ISREG(old.st_mode))
        return EINVAL;
    // A write-protected file stays as it is, as it would for a plain write.
    if (replacing && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        return errno;

    const std::string stem
        = (folder == "/" ? "/" : folder + "/") + "." + name.substr(0, kMaxTempStem);
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temp = stem + ".tmp" + RandomSuffix();
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0 && errno != EEXIST)
            return errno;
    }
    if (fd < 0)
        return EEXIST;

    // The replacement keeps the permissions of the file it replaces, where the
    // file system lets it.
    if (replacing)
        (void)::fchmod(fd, old.st_mode & 07777);
    int err = WriteAll(fd, bytes);
    if (err == 0 && ::fsync(fd) != 0)
        err = errno;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err == 0 && ::rename(temp.c_str(), target.c_str()) != 0)
        err = errno;
    if (err != 0) {
        ::unlink(temp.c_str());
        return err;
    }
    SyncFolder(folder);
    return 0;
}

} // namespace eee
