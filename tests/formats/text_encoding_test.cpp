// Telling encodings apart: whole files in each encoding (made from UTF-8
// text with iconv: GBK, Big5 and CP932), single lines and single moves,
// byte order marks, and bytes no encoding reads.
#include "record/formats/text_encoding.h"

#include <gtest/gtest.h>

#include "format_test_support.h"
#include "record/formats/record_texts.h"

namespace zenko::testing {
namespace {

using formats::TextEncoding;

struct EncodedFile {
    const char* file;
    const char* encoding;
    const char* red;
    const char* moves;
    const char* comment;  // of the fourth move, or the second
};

const EncodedFile EncodedFiles[] = {
    {"simplified_gbk.pgn", "GB18030", "陈红", "h2e2 h9g7 h0g2 i9h9 i0h0 g6g5", "双方布局"},
    {"traditional_big5.pgn", "Big5", "王五", "h2e2 h9g7 h0g2 i9h9 i0h0 g6g5 c3c4 h7h3", ""},
    {"japanese_sjis.pgn", "Shift_JIS", "やまだ", "h2e2 h9g7 h0g2 i9h9", "よい手です"},
    {"two_games.pgn", "UTF-8", "张三", "h2e2 h9g7 h0g2 i9h9 i0h0 g6g5 h0h6 b9c7", ""},
};

class EncodedFileTest : public ::testing::TestWithParam<EncodedFile> {};

TEST_P(EncodedFileTest, AreReadInTheirEncoding) {
    const EncodedFile& f = GetParam();
    const formats::RecordContents file = formats::read_record_file(data_file(f.file), f.file);
    ASSERT_EQ(file.error, "");
    EXPECT_EQ(file.encoding, f.encoding);
    const formats::GameRecord& game = file.games.at(0);
    EXPECT_EQ(game.tag("Red"), f.red);
    EXPECT_EQ(moves_of(game), f.moves);
    const std::size_t commented = std::string(f.encoding) == "Shift_JIS" ? 1 : 3;
    EXPECT_EQ(game.moves.at(commented).comment, f.comment);
}

std::string encoding_test_name(const ::testing::TestParamInfo<EncodedFile>& row) {
    std::string name = row.param.encoding;
    std::erase(name, '-');
    std::erase(name, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(TextEncoding, EncodedFileTest, ::testing::ValuesIn(EncodedFiles),
                         encoding_test_name);

struct ShortText {
    const char* text;
    TextEncoding encoding;
};

// One line, one move, or a name and a move: even this little tells.
const ShortText ShortTexts[] = {
    {"1. 炮二平五 马８进７", TextEncoding::Gb18030},
    {"1. 炮二平五 馬8進7", TextEncoding::Big5},
    {"炮二平五", TextEncoding::Gb18030},
    {"車一進一", TextEncoding::Big5},
    {"马８进７", TextEncoding::Gb18030},
    {"[Red \"やまだ\"] 1. h2e2", TextEncoding::ShiftJis},
    {"[Event \"將棋對局\"]", TextEncoding::Big5},
    {"[Event \"红方胜\"]", TextEncoding::Gb18030},
    {"{よい手} 炮二平五", TextEncoding::ShiftJis},
};

TEST(TextEncoding, TellsShortTextsApart) {
    for (const ShortText& s : ShortTexts) {
        const std::optional<std::string> bytes = formats::encode_as(s.text, s.encoding);
        ASSERT_TRUE(bytes) << s.text;
        const std::optional<formats::DecodedText> decoded = formats::decode_text(*bytes);
        ASSERT_TRUE(decoded) << s.text;
        EXPECT_EQ(decoded->encoding, s.encoding) << s.text;
        EXPECT_EQ(decoded->text, s.text);
    }
}

TEST(TextEncoding, TakesUtf8AndUtf16AsTheySay) {
    const std::string text = "1. 炮二平五 马８进７";
    const auto withBom = formats::decode_text("\xEF\xBB\xBF" + text);
    ASSERT_TRUE(withBom);
    EXPECT_EQ(withBom->encoding, TextEncoding::Utf8);
    EXPECT_EQ(withBom->text, text);
    const std::optional<std::string> utf16 = formats::encode_as(text, TextEncoding::Utf16);  // with its mark
    ASSERT_TRUE(utf16);
    const auto wide = formats::decode_text(*utf16);
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->encoding, TextEncoding::Utf16);
    EXPECT_EQ(wide->text, text);
}

TEST(TextEncoding, AStrayByteDoesNotHideTheEncoding) {
    std::string bytes =
        *formats::encode_as("1. 炮二平五 马８进７ 2. 马二进三 车９平８", TextEncoding::Gb18030);
    bytes.push_back('\x81');  // cut inside a character
    const auto decoded = formats::decode_text(bytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->encoding, TextEncoding::Gb18030);
}

// A long file is judged by a part of it that holds more than ASCII.
TEST(TextEncoding, ALongAsciiStartDoesNotHideTheEncoding) {
    std::string text;
    while (text.size() < 200 * 1024) text += "[Event \"ascii\"]\n1. C2.5 H8+7 *\n\n";
    text += "[Event \"友誼賽\"]\n1. 炮二平五 馬8進7 *\n";
    const auto decoded = formats::decode_text(*formats::encode_as(text, TextEncoding::Big5));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->encoding, TextEncoding::Big5);
    EXPECT_EQ(decoded->text, text);
}

TEST(TextEncoding, BytesNoEncodingReadsAreRefused) {
    EXPECT_FALSE(formats::decode_text(std::string(200, '\xFF')));
    const formats::RecordContents file = formats::read_record_file(std::string(200, '\xFF'), "game.pgn");
    EXPECT_EQ(file.error, formats::UnknownEncodingText);
}

}  // namespace
}  // namespace zenko::testing
