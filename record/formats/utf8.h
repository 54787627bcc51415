// Small UTF-8 steps shared by the readers: code points in and out, and the
// folding of full-width ASCII that Chinese and Japanese texts mix in.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zenko::formats {

inline constexpr char32_t ReplacementCharacter = 0xFFFD;
inline constexpr char32_t IdeographicSpace = 0x3000;

// Reads the code point at `at` and moves past it; a byte that starts no
// well-formed sequence reads as U+FFFD and is passed alone.
char32_t next_code_point(std::string_view text, std::size_t& at);

void append_utf8(std::string& out, char32_t c);

// Full-width ASCII (U+FF01..U+FF5E) as ASCII, the ideographic space as a
// space; anything else as it is.
constexpr char32_t fold_width(char32_t c) {
    if (c >= 0xFF01 && c <= 0xFF5E) return c - 0xFF01 + 0x21;
    if (c == IdeographicSpace) return U' ';
    return c;
}

constexpr bool is_space(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\n' || c == U'\r' || c == U'\f' || c == U'\v' ||
           c == IdeographicSpace || c == 0xA0 || c == 0xFEFF;
}

// The text cut to at most maxBytes without splitting a character.
std::string_view utf8_prefix(std::string_view text, std::size_t maxBytes);

// True when the bytes are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing past U+10FFFF).
bool is_valid_utf8(std::string_view bytes);

}  // namespace zenko::formats
