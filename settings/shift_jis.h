// Text files of the game (settings, records) are Shift_JIS with CR LF line
// ends; inside the program all text is UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zenko {

// UTF-8 to Shift_JIS (CP932); nullopt when a character has no Shift_JIS form.
std::optional<std::string> utf8_to_sjis(const std::string& utf8);
// Shift_JIS (CP932) to UTF-8; invalid bytes become U+FFFD.
std::string sjis_to_utf8(const std::string& sjis);

// Writes the lines as Shift_JIS, each ended by CR LF, replacing the file
// only once the new one is complete (see write_file_atomically). Returns
// false, the old file left as it was, when the file cannot be written
// completely or a line has no Shift_JIS form.
bool write_sjis_lines(const std::string& path, const std::vector<std::string>& utf8Lines);

// Takes the first line off the bytes: a line ends at CR LF, LF or a lone CR,
// and a last line without an end still counts. False when none is left.
bool take_line(std::string_view& bytes, std::string& line);

// Splits Shift_JIS file content into UTF-8 lines, ended as take_line reads them.
std::vector<std::string> split_sjis_lines(const std::string& bytes);

}  // namespace zenko
