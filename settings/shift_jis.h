// Text files of the game (settings, records) are Shift_JIS with CR LF line
// ends; inside the program all text is UTF-8.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zenko {

// UTF-8 to Shift_JIS (CP932); nullopt when a character has no Shift_JIS form.
std::optional<std::string> utf8_to_sjis(const std::string& utf8);
// Shift_JIS (CP932) to UTF-8; invalid bytes become U+FFFD.
std::string sjis_to_utf8(const std::string& sjis);

// Writes the lines as Shift_JIS, each ended by CR LF, replacing the file.
// Returns false when the file cannot be written completely or a line has no
// Shift_JIS form.
bool write_sjis_lines(const std::string& path, const std::vector<std::string>& utf8Lines);

// Splits Shift_JIS file content into UTF-8 lines; a line ends at LF (a CR
// before it is dropped); a last line without an end still counts.
std::vector<std::string> split_sjis_lines(const std::string& bytes);

}  // namespace zenko
