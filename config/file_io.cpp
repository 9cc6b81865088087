// The one place of the configuration layer that needs POSIX calls: standard C++ has no
// way to flush a file to the disk or to keep its permission bits across a rename.
#include "config/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string>

namespace zrv {

namespace {

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// A symbolic link is followed so that the link itself stays in place.
std::string ResolveTarget(const std::string& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char* real = realpath(path.c_str(), nullptr);
    if (!real) return path;
    std::string resolved(real);
    free(real);
    return resolved;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

}  // namespace

FileReadResult ReadWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    // Non-blocking so that a named pipe at the path cannot hang the caller.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? FileReadResult::Missing : FileReadResult::Failed;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || static_cast<size_t>(st.st_size) > kMaxIniFileBytes) {
        close(fd);
        return FileReadResult::Failed;
    }
    bytes.resize(static_cast<size_t>(st.st_size));
    size_t got = 0;
    // The size may change under us; read until end of file, never past the limit.
    for (;;) {
        if (got == bytes.size()) {
            if (bytes.size() >= kMaxIniFileBytes) break;
            bytes.resize(std::min(kMaxIniFileBytes, bytes.size() * 2 + 4096));
        }
        const ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            close(fd);
            bytes.clear();
            return FileReadResult::Failed;
        }
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    close(fd);
    bytes.resize(got);
    return FileReadResult::Ok;
}

std::string TemporaryPathFor(const std::string& path) {
    return path + "." + std::to_string(getpid()) + ".tmp";
}

bool ReplaceFileAtomically(const std::string& requestedPath, std::string_view bytes) {
    const std::string path = ResolveTarget(requestedPath);
    const std::string temporary = TemporaryPathFor(path);

    struct stat old {};
    const bool hadOld = stat(path.c_str(), &old) == 0;
    if (hadOld && !S_ISREG(old.st_mode)) return false;

    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) return false;
    bool ok = true;
    if (hadOld) {
        ok = fchmod(fd, old.st_mode & 07777) == 0;
        // Only root may give the file away; for anyone else the owner is already right.
        if (ok && fchown(fd, old.st_uid, old.st_gid) != 0) {
        }
    }
    ok = ok && WriteAll(fd, bytes) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        unlink(temporary.c_str());
        return false;
    }
    // Make the rename itself durable.
    const int dir = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return true;
}

}  // namespace zrv
