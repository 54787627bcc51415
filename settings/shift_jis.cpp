#include "settings/shift_jis.h"

#include <algorithm>
#include <limits>

#include "record/formats/text_encoding.h"
#include "settings/file_access.h"

namespace zenko {

// The conversions are those of the record formats' text decoding, the one
// place the program calls iconv.
std::optional<std::string> utf8_to_sjis(const std::string& utf8) {
    return formats::encode_as(utf8, formats::TextEncoding::ShiftJis);
}

std::string sjis_to_utf8(const std::string& sjis) {
    return formats::decode_as(sjis, formats::TextEncoding::ShiftJis, std::numeric_limits<std::size_t>::max())
        .value_or("");
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
