// A full disk without a full disk: while a FileSizeLimit lives, no file of
// this process may grow past the given size, so a write beyond it fails as
// on a file system that has run out of space.
#pragma once

#include <sys/resource.h>

#include <csignal>
#include <cstddef>

namespace zenko::testing {

class FileSizeLimit {
public:
    explicit FileSizeLimit(std::size_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);  // the write fails with EFBIG instead
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

}  // namespace zenko::testing
