#include "settings/shift_jis.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

#include "settings/file_access.h"

namespace zenko {
namespace {

// Converts with iconv; invalid input is replaced (decoding) or refused (encoding).
std::optional<std::string> convert(const char* to, const char* from, const std::string& in,
                                   bool replaceInvalid) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out;
    char buffer[256];
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    bool ok = true;
    while (srcLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, dst - buffer);
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) continue;
            if (!replaceInvalid) {
                ok = false;
                break;
            }
            out += "\xEF\xBF\xBD";  // U+FFFD
            ++src;                  // skip the byte that cannot start a character
            --srcLeft;
        }
    }
    iconv_close(cd);
    if (!ok) return std::nullopt;
    return out;
}

}  // namespace

std::optional<std::string> utf8_to_sjis(const std::string& utf8) {
    return convert("CP932", "UTF-8", utf8, false);
}

std::string sjis_to_utf8(const std::string& sjis) {
    return convert("UTF-8", "CP932", sjis, true).value_or("");
}

bool write_sjis_lines(const std::string& path, const std::vector<std::string>& utf8Lines) {
    std::string bytes;
    for (const std::string& line : utf8Lines) {
        auto encoded = utf8_to_sjis(line);
        if (!encoded) return false;
        bytes += *encoded;
        bytes += "\r\n";
    }
    return write_file_atomically(path, bytes);
}

bool take_line(std::string_view& bytes, std::string& line) {
    if (bytes.empty()) return false;
    const size_t end = std::min(bytes.find_first_of("\r\n"), bytes.size());
    line.assign(bytes.substr(0, end));
    size_t next = end + 1;
    if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n') ++next;
    bytes.remove_prefix(std::min(next, bytes.size()));
    return true;
}

std::vector<std::string> split_sjis_lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string_view rest(bytes);
    std::string raw;
    while (take_line(rest, raw)) lines.push_back(sjis_to_utf8(raw));
    return lines;
}

}  // namespace zenko
