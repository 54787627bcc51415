// FEN positions and the game's own .棋譜: their readers, their writers, and
// the records .棋譜 cannot hold.
#include <gtest/gtest.h>

#include "format_test_support.h"
#include "record/formats/readers.h"
#include "record/formats/record_texts.h"
#include "record/formats/text_encoding.h"
#include "record/formats/writers.h"
#include "record/record_line.h"

namespace zenko::testing {
namespace {

using formats::GameRecord;
using formats::RecordContents;

TEST(FenText, ReadsEachLineAsAPosition) {
    const RecordContents file = formats::read_fen_text(data_file("positions.fen"));
    ASSERT_EQ(file.error, "");
    ASSERT_EQ(file.games.size(), 3u);
    EXPECT_TRUE(file.games[0].starts_from_full_set());  // E and H letters, r to move
    EXPECT_TRUE(file.games[0].redToMove);
    EXPECT_FALSE(file.games[1].redToMove);
    EXPECT_TRUE(file.games[1].moves.empty());
    EXPECT_EQ(moves_of(file.games[2]), "e0e1 d9d8");
}

struct FenCase {
    const char* text;
    const char* fen;  // as fen_of writes it, "" when refused
    const char* error;
};

const FenCase FenCases[] = {
    {"rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR", FullSetFen.c_str(), ""},
    {"  rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR b  \r\n",
     "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR b - - 0 1", ""},
    {"4k4/9/9/9/9/9/9/9/4A4/3AK4 w - - 12 40", "4k4/9/9/9/9/9/9/9/4A4/3AK4 w - - 0 1", ""},
    {"rnbakabnr/9/1c5c1", "", formats::NotRecordText},
    {"rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR x", "", formats::NotRecordText},
    {"4k4/9/9/9/9/9/9/9/9/4K4 w", "", formats::BadPositionText},       // the generals face each other
    {"4k4/9/9/9/9/9/9/9/9/3KK4 w", "", formats::BadPositionText},      // two red generals
    {"4k4/9/9/9/9/9/9/9/9/K8 w", "", formats::BadPositionText},        // outside the palace
    {"4k4/9/9/9/9/9/9/9/9/PPPPPPK2 w", "", formats::BadPositionText},  // six soldiers
};

TEST(FenText, ReadsTheFieldsFenMayHaveAndRefusesBadPositions) {
    for (const FenCase& c : FenCases) {
        const RecordContents file = formats::read_fen_text(c.text);
        EXPECT_EQ(file.error, c.error) << c.text;
        if (*c.error) continue;
        ASSERT_EQ(file.games.size(), 1u) << c.text;
        EXPECT_EQ(formats::fen_of(file.games[0].start, file.games[0].redToMove), c.fen);
    }
}

// ---- .棋譜 ----

std::string sjis(const std::string& text) {
    return formats::encode_as(text, formats::TextEncoding::ShiftJis).value();
}

std::string kifu_line(int fromX, int fromY, int toX, int toY, int piece, int captured = 0) {
    MoveRecord m;
    m.fromX = fromX, m.fromY = fromY, m.toX = toX, m.toY = toY;
    m.piece = m.placed = piece, m.captured = captured;
    m.manTimeAfter = 3;
    return format_move_line(m) + "\r\n";
}

TEST(KifuFile, ReadsTheHeaderAndMoveLines) {
    const std::string bytes = sjis("練習対局\r\nコンピュータ\r\nあなた\r\n") +
                              kifu_line(8, 8, 5, 8, ManCannon) + kifu_line(8, 1, 7, 3, ComHorse);
    const RecordContents file = formats::read_record_file(bytes, "対局.棋譜");
    ASSERT_EQ(file.error, "");
    EXPECT_EQ(file.format, formats::RecordFormat::Kifu);
    const GameRecord& game = file.games.at(0);
    EXPECT_EQ(game.tag("Event"), "練習対局");
    EXPECT_EQ(game.tag("Black"), "コンピュータ");
    EXPECT_EQ(game.tag("Red"), "あなた");
    EXPECT_TRUE(game.starts_from_full_set());
    EXPECT_TRUE(game.redToMove);
    EXPECT_EQ(moves_of(game), "h2e2 h9g7");
}

TEST(KifuFile, TheTopArmyMayOpen) {
    const std::string bytes = "\r\n\r\n\r\n" + kifu_line(2, 3, 5, 3, ComCannon);
    const GameRecord game = formats::read_kifu(bytes).games.at(0);
    EXPECT_FALSE(game.redToMove);
    EXPECT_EQ(moves_of(game), "b7e7");
}

TEST(KifuFile, ABadLineCutsTheRecordThere) {
    const std::string head = "a\r\nb\r\nc\r\n" + kifu_line(8, 8, 5, 8, ManCannon);
    const GameRecord unreadable = formats::read_kifu(head + "not a move line\r\n").games.at(0);
    EXPECT_EQ(unreadable.moves.size(), 1u);
    ASSERT_TRUE(unreadable.cut);
    EXPECT_EQ(*unreadable.cut, (formats::CutShort{2, "not a move line", formats::UnreadableMoveText}));
    // The line names a piece that is not on its square.
    const GameRecord wrongPiece = formats::read_kifu(head + kifu_line(8, 1, 7, 3, ComChariot)).games.at(0);
    ASSERT_TRUE(wrongPiece.cut);
    EXPECT_EQ(wrongPiece.cut->reason, formats::IllegalMoveText);
}

TEST(KifuFile, WritesWhatTheGameReads) {
    GameRecord game;
    game.start = formats::full_set_board();
    game.set_tag("Event", "練習");
    game.set_tag("Red", "あなた");
    game.moves = {{8, 8, 5, 8, "", "", 0}, {8, 1, 7, 3, "", "", 0}, {5, 8, 5, 4, "", "", 0}};
    const formats::KifuText kifu = formats::write_kifu(game);
    ASSERT_EQ(kifu.error, "");
    EXPECT_EQ(kifu.bytes, sjis("練習\r\n\r\nあなた\r\n") + "8 85 8-3-3 0    0    0    0    0\r\n" +
                              "8 17 3 6 6 0    0    0    0    0\r\n" +
                              "5 85 4-3-3 1    0    0    0    0\r\n");
    const GameRecord read = formats::read_kifu(kifu.bytes).games.at(0);
    EXPECT_EQ(moves_of(read), moves_of(game));
    EXPECT_EQ(read.tags, game.tags);
}

TEST(KifuFile, RefusesWhatItCannotHold) {
    GameRecord handicap;
    handicap.start = formats::full_set_board();
    handicap.start[1][10] = PieceEmpty;
    EXPECT_EQ(formats::write_kifu(handicap).error, formats::KifuNeedsFullSetText);
    GameRecord emoji;
    emoji.start = formats::full_set_board();
    emoji.set_tag("Red", "😀");
    EXPECT_EQ(formats::write_kifu(emoji).error, formats::KifuCharacterText);
    GameRecord longName;
    longName.start = formats::full_set_board();
    longName.set_tag("Event", std::string(1001, 'a'));
    EXPECT_EQ(formats::write_kifu(longName).error, formats::KifuTooLongText);
}

}  // namespace
}  // namespace zenko::testing
