// Choosing the reader: the bytes decide before the file name, the name
// decides when the bytes do not tell, and files that hold no record say why.
#include <gtest/gtest.h>

#include <chrono>

#include "format_test_support.h"
#include "record/formats/record_texts.h"
#include "xqf_encoder.h"

namespace zenko::testing {
namespace {

using formats::RecordContents;
using formats::RecordFormat;

struct Dispatch {
    const char* name;
    std::string bytes;
    const char* fileName;
    RecordFormat format;
    std::size_t games;
};

TEST(RecordFileReading, TheBytesChooseTheReader) {
    const Dispatch cases[] = {
        {"PgnNamedXqf", data_file("two_games.pgn"), "game.xqf", RecordFormat::Pgn, 2},
        {"XqfNamedPgn", data_file("encrypted.xqf"), "game.pgn", RecordFormat::Xqf, 1},
        {"DhtmlXqInAPage", data_file("game.html"), "page.html", RecordFormat::DhtmlXq, 2},
        {"FenNamedTxt", "3k5/9/9/9/9/9/9/9/9/4K4 w", "position.txt", RecordFormat::Fen, 1},
        {"PastedFen", "\n  3k5/9/9/9/9/9/9/9/9/4K4 b\n", "", RecordFormat::Fen, 1},
        {"PastedMoveList", "h2e2 h9g7 h0g2 i9h9", "", RecordFormat::Pgn, 1},
        {"PastedDhtmlXq", "[DhtmlXQ][DhtmlXQ_movelist]7747[/DhtmlXQ_movelist][/DhtmlXQ]", "",
         RecordFormat::DhtmlXq, 1},
        {"KifuNamedTxt", data_file("practice.棋譜"), "old.txt", RecordFormat::Kifu, 1},
        {"KifuOfNoMovesNamedLikeAMove", "炮二平五\r\ntop\r\nbottom\r\n", "new.棋譜", RecordFormat::Kifu, 1},
        {"ExtensionInUpperCase", data_file("plain.xqf"), "OLD.XQF", RecordFormat::Xqf, 1},
    };
    for (const Dispatch& c : cases) {
        const RecordContents file = formats::read_record_file(c.bytes, c.fileName);
        EXPECT_EQ(file.error, "") << c.name;
        EXPECT_EQ(file.format, c.format) << c.name;
        EXPECT_EQ(file.games.size(), c.games) << c.name;
    }
}

struct Refused {
    const char* name;
    std::string bytes;
    const char* fileName;
    const char* error;
};

TEST(RecordFileReading, FilesWithoutARecordSayWhy) {
    const std::string xqf = data_file("encrypted.xqf");
    const Refused cases[] = {
        {"Empty", "", "game.pgn", formats::EmptyFileText},
        {"Blank", " \r\n\t\n", "game.pgn", formats::EmptyFileText},
        {"TooLarge", std::string(formats::MaxRecordBytes + 1, '1'), "game.pgn", formats::TooLargeText},
        {"PlainText", "Dear friend,\nsee you tomorrow.\n", "letter.txt", formats::NotRecordText},
        {"Binary", std::string(300, '\xFE') + std::string(300, '\xFF'), "game.pgn",
         formats::UnknownEncodingText},
        {"XqfHeaderCut", xqf.substr(0, 500), "game.xqf", formats::CutFileText},
        {"XqfHeaderBroken", std::string(1100, '\0'), "game.xqf", formats::BrokenHeaderText},
        {"BadFen", "4k4/9/9/9/9/9/9/9/9/4K4 w", "position.fen", formats::BadPositionText},
    };
    for (const Refused& c : cases) {
        const RecordContents file = formats::read_record_file(c.bytes, c.fileName);
        EXPECT_EQ(file.error, c.error) << c.name;
        EXPECT_TRUE(file.games.empty()) << c.name;
    }
}

TEST(RecordFileReading, AKifuWithABadLineOpensUpToIt) {
    const std::string bytes = "name\r\ntop\r\nbottom\r\n8 85 8-3-3 0    0    0    0    0\r\nbroken line\r\n";
    const RecordContents file = formats::read_record_file(bytes, "old.棋譜");
    ASSERT_EQ(file.error, "");
    EXPECT_EQ(file.format, RecordFormat::Kifu);
    ASSERT_EQ(file.games.size(), 1u);
    EXPECT_EQ(moves_of(file.games[0]), "h2e2");
    ASSERT_TRUE(file.games[0].cut);
    EXPECT_EQ(file.games[0].cut->moveNumber, 2);
}

// Texts made to make a reader search the same bytes again and again: each
// reader passes over them once (a search from every mark to the end of the
// file would take minutes here).
TEST(RecordFileReading, HostileTextsReadInOnePass) {
    std::string unclosedFields = "[DhtmlXQ]", unclosedTags, tokens = "[Event \"e\"]\n";
    for (int i = 0; i < 100000; ++i) {
        unclosedFields += "[DhtmlXQ_a" + std::to_string(i) + "]";
        unclosedTags += "[Tag \"value\n";
        tokens += "{c} $1 ";
    }
    unclosedFields += "[/DhtmlXQ_b]]";
    unclosedTags += "]";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(formats::read_record_file(unclosedFields, "").games.size(), 1u);
    EXPECT_EQ(formats::read_record_file(unclosedTags, "").games.size(), 1u);
    const RecordContents many = formats::read_record_file(tokens, "");
    ASSERT_EQ(many.games.size(), 1u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

}  // namespace
}  // namespace zenko::testing
