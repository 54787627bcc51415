#include "record/formats/utf8.h"

namespace zenko::formats {

namespace {

constexpr bool continuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The length of the well-formed sequence at `at`, 0 when there is none.
std::size_t sequence_length(std::string_view text, std::size_t at, char32_t& c) {
    const auto b0 = static_cast<unsigned char>(text[at]);
    const std::size_t left = text.size() - at;
    if (b0 < 0x80) return c = b0, 1;
    std::size_t length = 0;
    char32_t value = 0, least = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2, value = b0 & 0x1Fu, least = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3, value = b0 & 0x0Fu, least = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4, value = b0 & 0x07u, least = 0x10000;
    } else {
        return 0;
    }
    if (left < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto b = static_cast<unsigned char>(text[at + i]);
        if (!continuation(b)) return 0;
        value = (value << 6) | (b & 0x3Fu);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
    c = value;
    return length;
}

}  // namespace

char32_t next_code_point(std::string_view text, std::size_t& at) {
    char32_t c = 0;
    const std::size_t length = sequence_length(text, at, c);
    if (length == 0) {
        ++at;
        return ReplacementCharacter;
    }
    at += length;
    return c;
}

void append_utf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string_view utf8_prefix(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    std::size_t end = maxBytes;
    while (end > 0 && continuation(static_cast<unsigned char>(text[end]))) --end;
    return text.substr(0, end);
}

bool is_valid_utf8(std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        char32_t c = 0;
        const std::size_t length = sequence_length(bytes, at, c);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

}  // namespace zenko::formats
