#include "replacefile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace decomp {

namespace {

constexpr mode_t kNewFileMode = 0666;  // narrowed by the umask, as any new file
constexpr mode_t kPermissionBits = 07777;
constexpr int kTemporaryNameAttempts = 100;

bool writeAll(int fd, const uint8_t* data, size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

bool writeDirectly(const char* path, const uint8_t* data, size_t size) {
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, kNewFileMode);
    if (fd < 0) {
        return false;
    }
    const bool written = writeAll(fd, data, size);
    return ::close(fd) == 0 && written;
}

// Creates a new file in the target's directory, named so that it cannot be
// mistaken for a decoded file; its path is left in temporaryPath.
int createTemporaryBeside(const char* target, mode_t mode, char (&temporaryPath)[PATH_MAX]) {
    const char* slash = std::strrchr(target, '/');
    const int directoryLength = slash == nullptr ? 0 : static_cast<int>(slash - target + 1);
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const int length =
            std::snprintf(temporaryPath, sizeof temporaryPath, "%.*s.decomp-%ld-%d.tmp",
                          directoryLength, target, static_cast<long>(::getpid()), attempt);
        if (length < 0 || length >= static_cast<int>(sizeof temporaryPath)) {
            return -1;
        }
        const int fd = ::open(temporaryPath, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// The new file takes over the old one's owner and permission bits; the owner
// is a courtesy that only a privileged process can extend, so failing to keep
// it is no failure, while the permission bits must hold.
bool takeOverAttributes(int fd, const struct stat& old) {
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Kept by the process's own user and group instead.
        }
    }
    return ::fchmod(fd, old.st_mode & kPermissionBits) == 0;
}

bool replaceRegularFile(const char* path, const struct stat* existing, const uint8_t* data,
                        size_t size) {
    // Renaming needs only the directory's permission; a file that could not
    // have been written directly is not replaced either.
    if (existing != nullptr && ::access(path, W_OK) != 0) {
        return false;
    }
    char temporaryPath[PATH_MAX];
    const mode_t mode = existing != nullptr ? S_IRUSR | S_IWUSR : kNewFileMode;
    const int fd = createTemporaryBeside(path, mode, temporaryPath);
    if (fd < 0) {
        return false;
    }
    bool done = writeAll(fd, data, size);
    done = done && (existing == nullptr || takeOverAttributes(fd, *existing));
    // On disk before the rename, so that a crash leaves the old file or the
    // whole new one, never an empty one.
    done = done && ::fsync(fd) == 0;
    done = ::close(fd) == 0 && done;
    done = done && ::rename(temporaryPath, path) == 0;
    if (!done) {
        ::unlink(temporaryPath);
    }
    return done;
}

bool isOpenForWriting(int fd, const struct stat& file) {
    struct stat opened;
    if (::fstat(fd, &opened) != 0 || opened.st_dev != file.st_dev || opened.st_ino != file.st_ino) {
        return false;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && (flags & O_ACCMODE) != O_RDONLY;
}

// A file that the process was handed open for writing (what /dev/stdout or
// /dev/fd/N names when the output is redirected into a file) is shared with
// whoever opened it; replacing it would leave their descriptor on a file that
// no longer has a name.
bool heldOpenForWriting(const struct stat& file) {
    DIR* fds = ::opendir("/proc/self/fd");
    if (fds == nullptr) {
        return isOpenForWriting(STDOUT_FILENO, file) || isOpenForWriting(STDERR_FILENO, file) ||
               isOpenForWriting(STDIN_FILENO, file);
    }
    bool held = false;
    while (const dirent* entry = ::readdir(fds)) {
        char* end = nullptr;
        const long fd = std::strtol(entry->d_name, &end, 10);
        if (end != entry->d_name && *end == '\0' && fd != ::dirfd(fds) &&
            isOpenForWriting(static_cast<int>(fd), file)) {
            held = true;
            break;
        }
    }
    ::closedir(fds);
    return held;
}

}  // namespace

bool writeOutputFile(const char* path, const uint8_t* data, size_t size) {
    struct stat named;
    if (::lstat(path, &named) != 0) {
        return errno == ENOENT && replaceRegularFile(path, nullptr, data, size);
    }
    // A link stays a link: the file it leads to is the one replaced.
    struct stat target = named;
    const char* replaceAt = path;
    char resolved[PATH_MAX];
    if (S_ISLNK(named.st_mode)) {
        if (::stat(path, &target) != 0 || ::realpath(path, resolved) == nullptr) {
            return writeDirectly(path, data, size);  // created where the link points
        }
        replaceAt = resolved;
    }
    if (!S_ISREG(target.st_mode) || heldOpenForWriting(target)) {
        return writeDirectly(path, data, size);
    }
    return replaceRegularFile(replaceAt, &target, data, size);
}

}  // namespace decomp
