#include "settings/data_folder.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace zenko {
namespace {

namespace fs = std::filesystem;

void copy_missing_sounds(const fs::path& sounds, const fs::path& folder) {
    std::error_code error;
    for (fs::directory_iterator it(sounds, error), end; !error && it != end; it.increment(error)) {
        const fs::path& source = it->path();
        if (source.extension() != ".wav" || !it->is_regular_file(error)) continue;
        const fs::path target = folder / source.filename();
        std::error_code ignored;
        if (!fs::exists(fs::symlink_status(target, ignored))) fs::copy_file(source, target, ignored);
    }
}

}  // namespace

std::string data_folder_path(const char* xdgDataHome, const char* home) {
    if (xdgDataHome != nullptr && xdgDataHome[0] == '/') return std::string(xdgDataHome) + "/zenko";
    return std::string(home != nullptr ? home : "") + "/.local/share/zenko";
}

bool enter_data_folder(const std::string& folder, const std::string& sounds) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || !fs::is_directory(folder, error) || ::access(folder.c_str(), W_OK | X_OK) != 0) return false;
    copy_missing_sounds(sounds, folder);
    fs::current_path(folder, error);
    return !error;
}

}  // namespace zenko
