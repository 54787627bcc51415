// PGN: files of several games in each notation, what the movetext may hold
// besides moves, records that stop early, and the writers' exact form and
// round trips.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "format_test_support.h"
#include "record/formats/readers.h"
#include "record/formats/record_texts.h"
#include "record/formats/writers.h"

namespace zenko::testing {
namespace {

using formats::GameRecord;
using formats::RecordContents;
using Tags = std::vector<std::pair<std::string, std::string>>;

const std::string OpeningMoves = "h2e2 h9g7 h0g2 i9h9 i0h0 g6g5 h0h6 b9c7";

TEST(PgnFile, KeepsTagsCommentsNagsAndCountsVariations) {
    const RecordContents file = formats::read_pgn(data_file("two_games.pgn"));
    ASSERT_EQ(file.error, "");
    ASSERT_EQ(file.games.size(), 2u);
    const GameRecord& first = file.games[0];
    EXPECT_EQ(first.tags, (Tags{{"Event", "友谊赛"},
                                {"Date", "2024.05.01"},
                                {"Red", "张三"},
                                {"Black", "李四"},
                                {"Result", "1-0"}}));
    EXPECT_TRUE(first.starts_from_full_set());
    EXPECT_TRUE(first.redToMove);
    EXPECT_EQ(first.startComment, "中炮对屏风马");
    EXPECT_EQ(moves_of(first), OpeningMoves);
    EXPECT_EQ(first.moves[1].comment, "黑方跳马");
    EXPECT_EQ(first.moves[0].written, "炮二平五");
    EXPECT_EQ(first.moves[3].nag, 1);  // $1
    EXPECT_EQ(first.moves[5].nag, 5);  // !?
    EXPECT_EQ(first.skippedVariations, 2);
    EXPECT_FALSE(first.cut);

    const GameRecord& second = file.games[1];
    EXPECT_FALSE(second.redToMove);
    EXPECT_TRUE(second.starts_from_full_set());
    EXPECT_EQ(moves_of(second), "h7e7 h0g2 h9g7");
    EXPECT_EQ(second.moves[0].comment, "黑先");
    EXPECT_EQ(second.tag("Result"), "0-1");
    EXPECT_EQ(second.tag("FEN"), "");
}

struct NotationFile {
    const char* name;
    const char* file;
    std::vector<std::string> moves;  // per game
};

// The same opening in WXF, and SAN with ranks from 1 (a "10" tells) and
// from 0 (a "0" tells); the second game of each has no such square and is
// read under whichever count lets every move be played.
const NotationFile NotationFiles[] = {
    {"Wxf", "wxf.pgn", {OpeningMoves}},
    {"SanFromOne", "san_fairy.pgn", {"h2e2 h9g7 h0g2 i9h9 i0h0 g6g5", "h2e2 h9g7 h0g2"}},
    {"SanFromZero", "san_xboard.pgn", {"h2e2 h9g7 h0g2 i9h9 i0h0 g6g5", "h2e2 h9g7 h0g2 i9h9"}},
    {"StackedPawns", "stacked_pawns.pgn", {"c7d7 e9d9 e5f5 d9e9 c6c7 e9d9"}},
};

class PgnNotations : public ::testing::TestWithParam<NotationFile> {};

TEST_P(PgnNotations, ReadEveryGameWhole) {
    const RecordContents file = formats::read_pgn(data_file(GetParam().file));
    ASSERT_EQ(file.error, "");
    ASSERT_EQ(file.games.size(), GetParam().moves.size());
    for (std::size_t k = 0; k < file.games.size(); ++k) {
        EXPECT_EQ(moves_of(file.games[k]), GetParam().moves[k]) << "game " << k + 1;
        EXPECT_FALSE(file.games[k].cut) << "game " << k + 1 << ": " << file.games[k].cut->written;
    }
}

INSTANTIATE_TEST_SUITE_P(Pgn, PgnNotations, ::testing::ValuesIn(NotationFiles),
                         [](const auto& row) { return std::string(row.param.name); });

struct CutCase {
    const char* name;
    const char* text;
    std::size_t kept;
    const char* written;
    const char* reason;
};

// The first move that cannot be played ends the record there: the moves
// before it stay, and the cut says which move, as written, and why.
const CutCase CutCases[] = {
    {"IllegalMove", "[Event \"e\"]\n1. 炮二平五 马８进７ 2. 马二进三 炮８进９ 3. 车一平二 *", 3, "炮８进９",
     formats::IllegalMoveText},
    {"UnreadableMove", "[Event \"e\"]\n1. 炮二平五 马８进７ 2. 马二进三 马８跳７ *", 3, "马８跳７",
     formats::UnreadableMoveText},
    {"GeneralsWouldFace", "[FEN \"4k4/9/9/9/4P4/9/9/9/9/4K4 w\"]\n1. 兵五平六 *", 0, "兵五平六",
     formats::IllegalMoveText},
    {"WrongArmy", "[Event \"e\"]\n1. H9-G7 *", 0, "H9-G7", formats::IllegalMoveText},
    {"AmbiguousMove", "[FEN \"4k4/9/9/9/9/7R1/9/9/9/3K3R1 w\"]\n1. 车二进一 *", 0, "车二进一",
     formats::AmbiguousMoveText},
    {"TextEndsInComment", "[Event \"e\"]\n1. 炮二平五 {unfinished", 1, "", formats::CutFileText},
    {"TextEndsInVariation", "[Event \"e\"]\n1. 炮二平五 (1. 炮八平五", 1, "", formats::CutFileText},
};

class PgnCut : public ::testing::TestWithParam<CutCase> {};

TEST_P(PgnCut, KeepsTheMovesBeforeAndSaysWhy) {
    const RecordContents file = formats::read_pgn(GetParam().text);
    ASSERT_EQ(file.error, "");
    ASSERT_EQ(file.games.size(), 1u);
    const GameRecord& game = file.games[0];
    EXPECT_EQ(game.moves.size(), GetParam().kept);
    ASSERT_TRUE(game.cut);
    EXPECT_EQ(game.cut->moveNumber, static_cast<int>(GetParam().kept) + 1);
    EXPECT_EQ(game.cut->written, GetParam().written);
    EXPECT_EQ(game.cut->reason, GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(Pgn, PgnCut, ::testing::ValuesIn(CutCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(PgnCut, IsToldInTheBoxsWords) {
    EXPECT_EQ(formats::cut_short_text({4, "炮８进９", formats::IllegalMoveText}),
              "4手目 (炮８进９) が指せないので、3手目までを読み込みました");
    EXPECT_EQ(formats::cut_short_text({2, "", formats::CutFileText}),
              "ファイルが途中で切れているので、1手目までを読み込みました");
    EXPECT_EQ(formats::skipped_variations_text(3), "変化手順3個は読み込んでいません");
    EXPECT_EQ(formats::left_out_games_text(2, formats::BadPositionText),
              "2局は読み込めませんでした (局面が正しくありません)");
}

TEST(PgnText, MoveListsWithoutTagsAreGames) {
    for (const char* text :
         {"1. h2e2 h9g7 2. h0g2", "h2e2 h9g7 h0g2\n", "1.炮二平五 1...马８进７ 2.马二进三"}) {
        const RecordContents file = formats::read_pgn(text);
        ASSERT_EQ(file.games.size(), 1u) << text;
        EXPECT_EQ(moves_of(file.games[0]), "h2e2 h9g7 h0g2") << text;
        EXPECT_TRUE(file.games[0].tags.empty());
    }
}

TEST(PgnText, PlainTextIsNoRecord) {
    for (const char* text :
         {"hello world\nthis is not a game\n", "{only a comment}", "1. 2. 3.", "[", "]]]"}) {
        const RecordContents file = formats::read_pgn(text);
        EXPECT_EQ(file.error, formats::NotRecordText) << text;
        EXPECT_TRUE(file.games.empty()) << text;
    }
}

TEST(PgnText, StrayClosingBracketsAreSkipped) {
    const RecordContents file = formats::read_pgn("[Event \"e\"]\n1. h2e2 } h9g7 ) 2. h0g2 *");
    ASSERT_EQ(file.games.size(), 1u);
    EXPECT_EQ(moves_of(file.games[0]), "h2e2 h9g7 h0g2");
}

TEST(PgnText, TagsKeepEscapesAndTheResultComesFromTheMovetext) {
    const RecordContents file = formats::read_pgn(
        "[Event \"a \\\"quoted\\\" name\"]\n[Site \"\"]\n[Round \"3]\n1. h2e2 h9g7 1/2-1/2\n");
    ASSERT_EQ(file.games.size(), 1u);
    EXPECT_EQ(file.games[0].tags,
              (Tags{{"Event", "a \"quoted\" name"}, {"Round", "3]"}, {"Result", "1/2-1/2"}}));
}

TEST(PgnText, AFenTagMayGiveRedToMoveAsR) {
    const RecordContents file = formats::read_pgn(
        "[FEN \"rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RHEAKAEHR r - - 0 1\"]\n1. C2.5 *");
    ASSERT_EQ(file.games.size(), 1u);
    EXPECT_TRUE(file.games[0].redToMove);
    EXPECT_TRUE(file.games[0].starts_from_full_set());
    EXPECT_EQ(moves_of(file.games[0]), "h2e2");
}

TEST(PgnText, AGameFromABadPositionIsLeftOut) {
    const RecordContents file =
        formats::read_pgn("[FEN \"4k4/9/9/9/9/9/9/9/9/4K4 w\"]\n1. K5+1 *\n\n[Event \"ok\"]\n1. C2.5 *\n");
    ASSERT_EQ(file.games.size(), 1u);
    EXPECT_EQ(file.games[0].tag("Event"), "ok");
    EXPECT_EQ(file.leftOutGames, 1);
    EXPECT_EQ(file.leftOutReason, formats::BadPositionText);
}

// ---- Writing ----

GameRecord example_game() {
    GameRecord game;
    game.tags = {
        {"Event", "友谊赛"}, {"Date", "2024.05.01"}, {"Red", "张三"}, {"Black", "李四"}, {"Result", "1-0"}};
    game.start = formats::full_set_board();
    game.startComment = "中炮";
    game.moves = {{8, 8, 5, 8, "", "", 0}, {8, 1, 7, 3, "", "跳马", 0}, {8, 10, 7, 8, "", "", 1}};
    return game;
}

TEST(PgnWriter, WritesTheChineseNotationAsXqbaseDoes) {
    EXPECT_EQ(formats::write_pgn(example_game()),
              "[Game \"Chinese Chess\"]\n"
              "[Event \"友谊赛\"]\n"
              "[Date \"2024.05.01\"]\n"
              "[Red \"张三\"]\n"
              "[Black \"李四\"]\n"
              "[Result \"1-0\"]\n"
              "[Format \"Chinese\"]\n"
              "\n"
              "{中炮}\n"
              "  1. 炮二平五 马８进７ {跳马}\n"
              "  2. 马二进三 $1\n"
              " 1-0\n");
}

TEST(PgnWriter, WritesIccsAndABlackFirstGameFromItsFen) {
    GameRecord game;
    game.start = formats::full_set_board();
    game.redToMove = false;
    game.moves = {{8, 3, 5, 3, "", "", 0}, {8, 10, 7, 8, "", "", 0}, {8, 1, 7, 3, "", "", 0}};
    EXPECT_EQ(formats::write_pgn(game, formats::PgnNotation::Iccs),
              "[Game \"Chinese Chess\"]\n"
              "[Event \"\"]\n"
              "[Date \"\"]\n"
              "[Red \"\"]\n"
              "[Black \"\"]\n"
              "[Result \"*\"]\n"
              "[FEN \"rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR b - - 0 1\"]\n"
              "[Format \"ICCS\"]\n"
              "\n"
              "  1. ... H7-E7\n"
              "  2. H0-G2 H9-G7\n"
              " *\n");
}

// A Result tag that is no PGN result stays a tag; the movetext ends in "*".
TEST(PgnWriter, EndsTheMovetextInAResultPgnKnows) {
    GameRecord game = example_game();
    game.set_tag("Result", "0-[1]");
    const std::string text = formats::write_pgn(game);
    EXPECT_TRUE(text.ends_with("\n *\n")) << text;
    const RecordContents again = formats::read_pgn(text);
    ASSERT_EQ(again.games.size(), 1u);
    EXPECT_EQ(again.games[0].tag("Result"), "0-[1]");
}

TEST(PgnWriter, KeepsCommentsInsideTheirBraces) {
    GameRecord game = example_game();
    game.moves[0].comment = "a } b";
    const std::string text = formats::write_pgn(game);
    EXPECT_NE(text.find("{a ｝ b}"), std::string::npos) << text;
    EXPECT_EQ(formats::read_pgn(text).games.at(0).moves.size(), 3u);
}

TEST(FenWriter, WritesRedInUpperCaseAndTheSide) {
    EXPECT_EQ(formats::fen_of(formats::full_set_board(), true), FullSetFen);
    EXPECT_EQ(formats::fen_of(board_of("4k4/9/9/9/9/9/9/9/4A4/3AK4"), false),
              "4k4/9/9/9/9/9/9/9/4A4/3AK4 b - - 0 1");
}

// Random games from the full set or a handicap start, either army first,
// with comments, NAGs and tags: written and read back they are the same.
GameRecord random_game(std::mt19937& random, int index) {
    GameRecord game;
    game.tags = {{"Red", "紅 \"red\""}, {"Event", "round " + std::to_string(index)}, {"Site", "東京"}};
    if (index % 3 == 0) game.tags.emplace_back("Result", "0-1");
    game.start = formats::full_set_board();
    if (index % 2 == 1)
        game.start[1][10] = game.start[2][10] = PieceEmpty;  // a handicap: no left chariot and horse
    game.redToMove = index % 4 != 3;
    if (index % 5 == 0) game.startComment = "start\nof the game";
    Engine e;
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y) e.put_piece(x, y, game.start[x][y]);
    bool red = game.redToMove;
    for (int ply = 0; ply < 80; ++ply) {
        std::vector<Move> moves;
        e.for_each_legal_move(!red, [&](const Move& m) {
            if (std::abs(e.piece_at(m.toX, m.toY)) != ComGeneral) moves.push_back(m);
        });
        if (moves.empty()) break;
        const Move m = moves[std::uniform_int_distribution<std::size_t>(0, moves.size() - 1)(random)];
        formats::RecordedMove& r = game.moves.emplace_back();
        r.fromX = m.fromX, r.fromY = m.fromY, r.toX = m.toX, r.toY = m.toY;
        if (ply % 7 == 3) r.comment = "comment " + std::to_string(ply) + " 好手";
        if (ply % 11 == 5) r.nag = 1 + ply % 6;
        e.駒移動(m.fromX, m.fromY, m.toX, m.toY, m.piece);
        red = !red;
    }
    return game;
}

void expect_same_game(const GameRecord& read, const GameRecord& written) {
    EXPECT_EQ(read.tags, written.tags);
    EXPECT_EQ(read.start, written.start);
    EXPECT_EQ(read.redToMove, written.redToMove);
    EXPECT_EQ(read.startComment, written.startComment);
    ASSERT_EQ(read.moves.size(), written.moves.size()) << (read.cut ? read.cut->written : "");
    for (std::size_t i = 0; i < read.moves.size(); ++i) {
        const formats::RecordedMove &a = read.moves[i], &b = written.moves[i];
        EXPECT_EQ(formats::iccs_text(a.fromX, a.fromY, a.toX, a.toY),
                  formats::iccs_text(b.fromX, b.fromY, b.toX, b.toY))
            << "move " << i + 1;
        EXPECT_EQ(a.comment, b.comment) << "move " << i + 1;
        EXPECT_EQ(a.nag, b.nag) << "move " << i + 1;
    }
    EXPECT_FALSE(read.cut);
}

TEST(PgnRoundTrip, GamesComeBackAsTheyWereWritten) {
    std::mt19937 random(7);
    std::vector<GameRecord> games;
    for (int i = 0; i < 12; ++i) games.push_back(random_game(random, i));
    for (formats::PgnNotation notation : {formats::PgnNotation::Chinese, formats::PgnNotation::Iccs}) {
        const RecordContents file = formats::read_pgn(formats::write_pgn(games, notation));
        ASSERT_EQ(file.games.size(), games.size());
        for (std::size_t k = 0; k < games.size(); ++k) {
            SCOPED_TRACE("game " + std::to_string(k + 1));
            expect_same_game(file.games[k], games[k]);
        }
    }
}

}  // namespace
}  // namespace zenko::testing
