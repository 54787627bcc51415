// Where the committed sound files are, and how to read them whole.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace zenko::testing {

inline std::filesystem::path source_dir() {
    if (const char* dir = std::getenv("ZENKO_SOURCE_DIR")) return dir;
    return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path();
}

inline std::filesystem::path sound_file(const std::string& name) { return source_dir() / "sound" / name; }

inline std::vector<unsigned char> read_bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace zenko::testing
