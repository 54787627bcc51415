// Runs a test in a fresh empty working directory, where the game reads and
// writes its settings, sound and record files; the previous directory comes
// back and the temporary one is removed afterwards.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>

namespace zenko::testing {

class TemporaryWorkingDirectory {
public:
    explicit TemporaryWorkingDirectory(const std::string& prefix)
        : previous_(std::filesystem::current_path()) {
        std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
        std::filesystem::current_path(path_);
    }
    ~TemporaryWorkingDirectory() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TemporaryWorkingDirectory(const TemporaryWorkingDirectory&) = delete;
    TemporaryWorkingDirectory& operator=(const TemporaryWorkingDirectory&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path previous_, path_;
};

}  // namespace zenko::testing
