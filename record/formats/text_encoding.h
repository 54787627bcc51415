// The encodings Xiangqi records come in, told apart from the bytes, and the
// one place that converts them (iconv, from the C library) to the UTF-8 the
// program works in.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zenko::formats {

enum class TextEncoding { Utf8, Utf16, Gb18030, Big5, ShiftJis };

// "UTF-8", "UTF-16", "GB18030", "Big5", "Shift_JIS".
const char* encoding_name(TextEncoding encoding);

struct DecodedText {
    std::string text;  // UTF-8, without a byte order mark
    TextEncoding encoding = TextEncoding::Utf8;
};

// UTF-8 (with or without a byte order mark) and UTF-16 with one are taken
// as they are; other bytes are read as GB18030 (which holds GBK and GB2312),
// Big5 and Shift_JIS (CP932), and the reading that looks most like a Xiangqi
// record is kept. nullopt when no encoding reads the bytes without many
// errors.
std::optional<DecodedText> decode_text(std::string_view bytes);

// The bytes read in one encoding; bytes that form no character become
// U+FFFD, and nullopt when more than maxInvalid of them do.
std::optional<std::string> decode_as(std::string_view bytes, TextEncoding encoding, std::size_t maxInvalid);

// UTF-8 text in another encoding; nullopt when a character has no form there.
std::optional<std::string> encode_as(std::string_view utf8, TextEncoding encoding);

}  // namespace zenko::formats
