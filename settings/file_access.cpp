#include "settings/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <vector>

namespace zenko {
namespace {

namespace fs = std::filesystem;

// Reads up to `wanted` bytes; false on a read error.
bool read_up_to(int fd, std::size_t wanted, std::string& bytes) {
    bytes.clear();
    char chunk[65536];
    while (bytes.size() < wanted) {
        const std::size_t ask = std::min(sizeof chunk, wanted - bytes.size());
        const ssize_t got = ::read(fd, chunk, ask);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) break;
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
    return true;
}

bool write_all(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}

// The file a save replaces: the target itself, or the file its link names.
// Empty when the target is there but must not be replaced.
fs::path replaceable_target(const fs::path& target) {
    std::error_code error;
    const fs::file_status status = fs::status(target, error);
    if (!fs::exists(status)) return fs::is_symlink(target, error) ? fs::path() : target;
    if (!fs::is_regular_file(status) || ::access(target.c_str(), W_OK) != 0) return {};
    if (!fs::is_symlink(target, error)) return target;
    fs::path resolved = fs::canonical(target, error);
    return error ? fs::path() : resolved;
}

// A new file keeps the old one's permissions; a first save gets the usual ones.
mode_t permissions_for(const fs::path& target) {
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) return old.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes and flushes a new temporary file made from the pattern; its name,
// or empty when it could not be written wholly (it is removed again then).
std::string write_temporary(const std::string& pattern, const std::string& bytes, mode_t mode) {
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return {};
    bool ok = ::fchmod(fd, mode) == 0 && write_all(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok) ::unlink(name.data());
    return ok ? std::string(name.data()) : std::string();
}

}  // namespace

ReadStatus read_regular_file(const std::string& path, std::size_t limit, std::string& bytes) {
    bytes.clear();
    // O_NONBLOCK: opening a FIFO with no writer would otherwise wait for one.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? ReadStatus::Missing : ReadStatus::Unreadable;
    struct stat info {};
    ReadStatus status = ReadStatus::Unreadable;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && read_up_to(fd, limit + 1, bytes))
        status = bytes.size() > limit ? ReadStatus::TooLarge : ReadStatus::Ok;
    ::close(fd);
    if (status == ReadStatus::TooLarge) bytes.resize(limit);
    if (status == ReadStatus::Unreadable) bytes.clear();
    return status;
}

bool append_to_file(const std::string& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && write_all(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    return ok;
}

bool write_file_atomically(const std::string& path, const std::string& bytes) {
    const fs::path target = replaceable_target(path);
    if (target.empty()) return false;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    // A hidden name beside the target, so the rename stays on one file system.
    const std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const std::string written = write_temporary(temporary, bytes, permissions_for(target));
    if (written.empty()) return false;
    if (::rename(written.c_str(), target.c_str()) == 0) return true;
    ::unlink(written.c_str());
    return false;
}

}  // namespace zenko
