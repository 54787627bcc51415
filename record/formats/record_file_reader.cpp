// Choosing the reader of a file: the bytes decide first (XQF's "XQ" and
// version, the .棋譜's fixed move lines, a DhtmlXQ block, a FEN on the first
// line, otherwise PGN or a move list), and the file name's extension only
// when the bytes do not tell, so a renamed or pasted record still opens.
#include <algorithm>
#include <cctype>

#include "record/formats/readers.h"
#include "record/formats/record_texts.h"
#include "record/formats/text_encoding.h"

namespace zenko::formats {

namespace {

constexpr std::size_t XqfHeaderBytes = 1024;

// The extension in lower case ASCII, with its dot; "" for none.
std::string extension_of(std::string_view fileName) {
    const std::size_t slash = fileName.find_last_of('/');
    const std::size_t dot = fileName.find_last_of('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return "";
    std::string extension(fileName.substr(dot));
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

bool is_blank(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
}

RecordContents failure(const char* error) {
    RecordContents file;
    file.error = error;
    return file;
}

}  // namespace

RecordContents read_record_file(std::string_view bytes, std::string_view fileName) {
    if (bytes.size() > MaxRecordBytes) return failure(TooLargeText);
    if (is_blank(bytes)) return failure(EmptyFileText);
    const std::string extension = extension_of(fileName);
    if (looks_like_xqf(bytes) && (bytes.size() >= XqfHeaderBytes || extension == ".xqf"))
        return read_xqf(bytes);
    if (looks_like_kifu(bytes, extension == ".棋譜")) return read_kifu(bytes);

    const std::optional<DecodedText> decoded = decode_text(bytes);
    RecordContents file;
    if (decoded) {
        const std::string& text = decoded->text;
        if (contains_dhtmlxq(text))
            file = read_dhtmlxq(text);
        else if (starts_with_fen(text) || extension == ".fen")
            file = read_fen_text(text);
        else
            file = read_pgn(text);
        file.encoding = encoding_name(decoded->encoding);
        if (file.error.empty()) return file;
    }
    // The bytes hold no record: a binary format named by the extension says
    // what is wrong with them (a broken or cut header, a bad move line).
    if (extension == ".xqf") return read_xqf(bytes);
    if (extension == ".棋譜") return read_kifu(bytes);
    if (!decoded) return failure(UnknownEncodingText);
    return file;
}

}  // namespace zenko::formats
