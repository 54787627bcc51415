// Telling the encodings apart. A record that is not UTF-8 is read in each of
// GB18030, Big5 and Shift_JIS, and each reading is scored by the characters a
// Xiangqi record is made of: the piece names, the directions, the numerals,
// the words of the tags (车马炮进退平 in simplified Chinese, 車馬砲進 in
// traditional, kana in Japanese). This works even for one short line,
// because the three encodings share their byte ranges but not their
// characters: bytes read in the wrong encoding still decode, but to
// characters spread over the whole table of twenty thousand ideographs,
// rarely one of the hundred or so a record uses, and often to characters
// that ordinary text never holds (private use, compatibility and rare
// extension ideographs, half-width kana between ideographs), which cost
// points. Bytes that form no character at all cost most. A tie (a file of
// names alone) goes to GB18030, the encoding most records come in.
#include "record/formats/text_encoding.h"

#include <iconv.h>

#include <algorithm>
#include <bitset>
#include <cerrno>

#include "record/formats/utf8.h"

namespace zenko::formats {

namespace {

struct EncodingInfo {
    TextEncoding encoding;
    const char* iconvName;
    const char* name;
};

constexpr EncodingInfo Encodings[] = {
    {TextEncoding::Utf8, "UTF-8", "UTF-8"},         {TextEncoding::Utf16, "UTF-16", "UTF-16"},
    {TextEncoding::Gb18030, "GB18030", "GB18030"},  {TextEncoding::Big5, "CP950", "Big5"},
    {TextEncoding::ShiftJis, "CP932", "Shift_JIS"},
};

const EncodingInfo& info(TextEncoding encoding) {
    for (const EncodingInfo& e : Encodings)
        if (e.encoding == encoding) return e;
    return Encodings[0];
}

// Characters of Xiangqi records in the three scripts, and the Japanese kana.
constexpr std::string_view RecordCharacters =
    "车马炮将帅仕士相象兵卒进退平前后中红黑胜负和局对先手着棋谱赛杯届轮第队炮包"
    "車馬砲將帥俥傌進後紅勝負對著譜賽屆輪隊"
    "一二三四五六七八九十１２３４５６７８９０"
    "象棋對局紀錄记录开始结束年月日比赛国际中国全";

const std::bitset<0x10000>& record_characters() {
    static const std::bitset<0x10000> set = [] {
        std::bitset<0x10000> s;
        for (std::size_t at = 0; at < RecordCharacters.size();) s.set(next_code_point(RecordCharacters, at));
        for (char32_t c = 0x3041; c <= 0x30FA; ++c) s.set(c);  // hiragana and katakana
        return s;
    }();
    return set;
}

bool unlikely_in_text(char32_t c) {
    return (c < 0x20 && c != '\t' && c != '\n' && c != '\r') || (c >= 0x80 && c < 0xA0) ||
           (c >= 0x3400 && c <= 0x4DBF) || (c >= 0xE000 && c <= 0xF8FF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFF61 && c <= 0xFF9F) || (c >= 0xAC00 && c <= 0xD7AF) || c > 0xFFFF;
}

// The bytes in UTF-8 through iconv, counting the bytes that form no character.
std::optional<std::string> convert(std::string_view bytes, const char* from, const char* to,
                                   std::size_t maxInvalid, std::size_t* invalidCount) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    char buffer[4096];
    char* src = const_cast<char*>(bytes.data());
    std::size_t srcLeft = bytes.size(), invalid = 0;
    while (srcLeft > 0) {
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        const std::size_t result = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
        if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
        if (++invalid > maxInvalid) break;
        out += "\xEF\xBF\xBD";  // U+FFFD for the byte that starts no character
        ++src, --srcLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
    }
    iconv_close(cd);
    if (invalidCount) *invalidCount = invalid;
    if (invalid > maxInvalid) return std::nullopt;
    return out;
}

long score(std::string_view text, std::size_t invalid) {
    const auto& expected = record_characters();
    long points = 0;
    for (std::size_t at = 0; at < text.size();) {
        const char32_t c = next_code_point(text, at);
        if (c < 0x10000 && expected.test(c))
            points += 4;
        else if (unlikely_in_text(c))
            points -= 2;
    }
    return points - 16 * static_cast<long>(invalid);
}

// How much of a long file tells its encoding.
constexpr std::size_t SampleBytes = 64 * 1024;

// A few stray bytes (a file cut in the middle of a character, a mistyped
// byte) do not make a file unreadable; more than one in a hundred do.
std::size_t allowed_errors(std::size_t bytes) { return bytes / 100 + 2; }

}  // namespace

const char* encoding_name(TextEncoding encoding) { return info(encoding).name; }

std::optional<std::string> decode_as(std::string_view bytes, TextEncoding encoding, std::size_t maxInvalid) {
    return convert(bytes, info(encoding).iconvName, "UTF-8", maxInvalid, nullptr);
}

std::optional<std::string> encode_as(std::string_view utf8, TextEncoding encoding) {
    return convert(utf8, "UTF-8", info(encoding).iconvName, 0, nullptr);
}

std::optional<DecodedText> decode_text(std::string_view bytes) {
    const std::size_t allowed = allowed_errors(bytes.size());
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    if (is_valid_utf8(bytes)) return DecodedText{std::string(bytes), TextEncoding::Utf8};
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        auto text = decode_as(bytes, TextEncoding::Utf16, allowed);
        if (!text) return std::nullopt;
        if (text->starts_with("\xEF\xBB\xBF")) text->erase(0, 3);
        return DecodedText{std::move(*text), TextEncoding::Utf16};
    }
    // The encoding is told from a part of a long file (tens of games) from
    // the line of its first byte that is not ASCII, which is where the
    // encodings differ; then the whole is read in it. A file that cannot be
    // read whole in that encoding is scored whole after all.
    const std::size_t firstHigh =
        static_cast<std::size_t>(std::find_if(bytes.begin(), bytes.end(),
                                              [](char c) { return static_cast<unsigned char>(c) >= 0x80; }) -
                                 bytes.begin());
    const std::size_t lineStart = bytes.substr(0, firstHigh).find_last_of('\n');
    const std::string_view sample =
        bytes.substr(lineStart == std::string_view::npos ? 0 : lineStart + 1, SampleBytes);
    std::optional<TextEncoding> chosen;
    long bestScore = 0;
    // UTF-8 stays a candidate: a UTF-8 file with a stray byte is still UTF-8.
    for (TextEncoding encoding :
         {TextEncoding::Gb18030, TextEncoding::Big5, TextEncoding::ShiftJis, TextEncoding::Utf8}) {
        std::size_t invalid = 0;
        const auto text =
            convert(sample, info(encoding).iconvName, "UTF-8", allowed_errors(sample.size()), &invalid);
        if (!text) continue;
        const long points = score(*text, invalid);
        if (!chosen || points > bestScore) chosen = encoding, bestScore = points;
    }
    if (!chosen) return std::nullopt;
    if (auto text = decode_as(bytes, *chosen, allowed)) return DecodedText{std::move(*text), *chosen};
    if (sample.size() == bytes.size()) return std::nullopt;  // the sample was the whole file
    std::optional<DecodedText> best;
    for (TextEncoding encoding :
         {TextEncoding::Gb18030, TextEncoding::Big5, TextEncoding::ShiftJis, TextEncoding::Utf8}) {
        std::size_t invalid = 0;
        auto text = convert(bytes, info(encoding).iconvName, "UTF-8", allowed, &invalid);
        if (!text) continue;
        const long points = score(*text, invalid);
        if (!best || points > bestScore) best = DecodedText{std::move(*text), encoding}, bestScore = points;
    }
    return best;
}

}  // namespace zenko::formats
