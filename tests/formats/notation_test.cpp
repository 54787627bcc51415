// The move notations: the hard cases of the Chinese notation and WXF
// written by hand from their rules, the forms real files use read back to
// the move they mean, and every legal move of many positions written and
// read back to itself.
#include "record/formats/notation.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "format_test_support.h"

namespace zenko::testing {
namespace {

using formats::Notation;
using formats::read_move;
using formats::ReadStatus;

struct Squares {
    int fromX, fromY, toX, toY;
};

// "h2e2" as the board's squares.
Squares squares_of(const std::string& iccs) {
    return {iccs[0] - 'a' + 1, BoardRanks - (iccs[1] - '0'), iccs[2] - 'a' + 1, BoardRanks - (iccs[3] - '0')};
}

struct WrittenCase {
    const char* name;
    const char* fen;
    const char* move;  // ICCS
    const char* chinese;
    const char* wxf;
};

// Pieces of a kind sharing a file, for both armies: 前/后 (+/-) for two,
// 前/中/后 for three pawns, 一..五 (++ + file - --) for more, the file in
// place of the piece name for pawns stacked on two files, and advisors and
// elephants without markers.
const WrittenCase HardCases[] = {
    {"RedChariotsFrontForward", "4k4/9/9/9/9/7R1/9/9/9/3K3R1 w", "h4h5", "前车进一", "R++1"},
    {"RedChariotsRearForward", "4k4/9/9/9/9/7R1/9/9/9/3K3R1 w", "h0h2", "后车进二", "R-+2"},
    {"RedChariotsFrontSideways", "4k4/9/9/9/9/7R1/9/9/9/3K3R1 w", "h4c4", "前车平七", "R+.7"},
    {"RedChariotsRearSideways", "4k4/9/9/9/9/7R1/9/9/9/3K3R1 w", "h0i0", "后车平一", "R-.1"},
    {"RedChariotsFrontBack", "4k4/9/9/9/9/7R1/9/9/9/3K3R1 w", "h4h3", "前车退一", "R+-1"},
    {"BlackChariotsFrontForward", "4k4/2r6/9/9/2r6/9/9/9/9/3K5 b", "c5c4", "前车进１", "R++1"},
    {"BlackChariotsRearSideways", "4k4/2r6/9/9/2r6/9/9/9/9/3K5 b", "c8a8", "后车平１", "R-.1"},
    {"BlackChariotsFrontBack", "4k4/2r6/9/9/2r6/9/9/9/9/3K5 b", "c5c7", "前车退２", "R+-2"},
    {"ThreeRedPawnsFront", "4k4/9/2P6/2P6/2P6/9/9/9/9/3K5 w", "c7d7", "前兵平六", "P+.6"},
    {"ThreeRedPawnsMiddle", "4k4/9/2P6/2P6/2P6/9/9/9/9/3K5 w", "c6b6", "中兵平八", "P7.8"},
    {"ThreeRedPawnsRear", "4k4/9/2P6/2P6/2P6/9/9/9/9/3K5 w", "c5d5", "后兵平六", "P-.6"},
    {"ThreeRedPawnsFrontForward", "4k4/9/2P6/2P6/2P6/9/9/9/9/3K5 w", "c7c8", "前兵进一", "P++1"},
    {"FourRedPawnsFirst", "4k4/2P6/2P6/2P6/2P6/9/9/9/9/3K5 w", "c8d8", "一兵平六", "++.6"},
    {"FourRedPawnsSecond", "4k4/2P6/2P6/2P6/2P6/9/9/9/9/3K5 w", "c7b7", "二兵平八", "P+.8"},
    {"FourRedPawnsThird", "4k4/2P6/2P6/2P6/2P6/9/9/9/9/3K5 w", "c6d6", "三兵平六", "P-.6"},
    {"FourRedPawnsFourth", "4k4/2P6/2P6/2P6/2P6/9/9/9/9/3K5 w", "c5b5", "四兵平八", "--.8"},
    {"FiveBlackPawnsFirst", "4k4/9/9/9/9/6p2/6p2/6p2/6p2/3K2p2 b", "g0h0", "一卒平８", "++.8"},
    {"FiveBlackPawnsSecond", "4k4/9/9/9/9/6p2/6p2/6p2/6p2/3K2p2 b", "g1f1", "二卒平６", "P+.6"},
    {"FiveBlackPawnsMiddle", "4k4/9/9/9/9/6p2/6p2/6p2/6p2/3K2p2 b", "g2f2", "三卒平６", "P7.6"},
    {"FiveBlackPawnsFourth", "4k4/9/9/9/9/6p2/6p2/6p2/6p2/3K2p2 b", "g3h3", "四卒平８", "P-.8"},
    {"FiveBlackPawnsLast", "4k4/9/9/9/9/6p2/6p2/6p2/6p2/3K2p2 b", "g4h4", "五卒平８", "--.8"},
    {"RedPawnsOnTwoFilesFront", "4k4/9/2P6/2P1P4/2P1P4/9/9/9/9/5K3 w", "c7d7", "前七平六", "7+.6"},
    {"RedPawnsOnTwoFilesMiddle", "4k4/9/2P6/2P1P4/2P1P4/9/9/9/9/5K3 w", "c6b6", "中七平八", "77.8"},
    {"RedPawnsOnTwoFilesRear", "4k4/9/2P6/2P1P4/2P1P4/9/9/9/9/5K3 w", "c5d5", "后七平六", "7-.6"},
    {"RedPawnsOnTwoFilesOtherFront", "4k4/9/2P6/2P1P4/2P1P4/9/9/9/9/5K3 w", "e6e7", "前五进一", "5++1"},
    {"RedPawnsOnTwoFilesOtherRear", "4k4/9/2P6/2P1P4/2P1P4/9/9/9/9/5K3 w", "e5f5", "后五平四", "5-.4"},
    {"BlackPawnsOnTwoFilesFront", "4k4/9/9/9/9/1p5p1/1p5p1/9/9/3K5 b", "b3b2", "前２进１", "2++1"},
    {"BlackPawnsOnTwoFilesRear", "4k4/9/9/9/9/1p5p1/1p5p1/9/9/3K5 b", "b4a4", "后２平１", "2-.1"},
    {"BlackPawnsOnTwoFilesOther", "4k4/9/9/9/9/1p5p1/1p5p1/9/9/3K5 b", "h3i3", "前８平９", "8+.9"},
    {"RedAdvisorsOnAFileRearAdvances", "4k4/9/9/9/9/9/9/3A5/9/3A1K3 w", "d0e1", "仕六进五", "A6+5"},
    {"RedAdvisorsOnAFileFrontRetreats", "4k4/9/9/9/9/9/9/3A5/9/3A1K3 w", "d2e1", "仕六退五", "A6-5"},
    {"BlackElephantsOnAFileRearAdvances", "2b1k4/9/9/9/2b6/9/9/9/9/3K5 b", "c9e7", "象３进５", "E3+5"},
    {"BlackElephantsOnAFileFrontRetreats", "2b1k4/9/9/9/2b6/9/9/9/9/3K5 b", "c5a7", "象３退１", "E3-1"},
    {"RedElephantsOnAFileRearAdvances", "4k4/9/9/9/9/6B2/9/9/9/3K2B2 w", "g0e2", "相三进五", "E3+5"},
    {"RedElephantsOnAFileFrontRetreats", "4k4/9/9/9/9/6B2/9/9/9/3K2B2 w", "g4e2", "相三退五", "E3-5"},
    {"RedHorsesFront", "4k4/9/9/9/9/1N7/9/9/9/1N1K5 w", "b4c6", "前马进七", "H++7"},
    {"RedHorsesRear", "4k4/9/9/9/9/1N7/9/9/9/1N1K5 w", "b0c2", "后马进七", "H-+7"},
    {"CentralCannon", FullSetFen.c_str(), "h2e2", "炮二平五", "C2.5"},
    {"RedHorse", FullSetFen.c_str(), "h0g2", "马二进三", "H2+3"},
    {"RedElephant", FullSetFen.c_str(), "c0e2", "相七进五", "E7+5"},
    {"RedGeneral", "4k4/9/9/9/9/9/9/9/9/3K5 w", "d0d1", "帅六进一", "K6+1"},
    {"BlackHorse", "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR b", "h9g7", "马８进７",
     "H8+7"},
    {"BlackChariotSideways", "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR b", "a9a8",
     "车１进１", "R1+1"},
    {"BlackAdvisor", "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR b", "f9e8", "士６进５",
     "A6+5"},
    {"BlackGeneral", "3k5/9/9/9/9/9/9/9/9/4K4 b", "d9d8", "将４进１", "K4+1"},
};

class HardNotation : public ::testing::TestWithParam<WrittenCase> {};

TEST_P(HardNotation, IsWrittenAsTheRulesSayAndReadBack) {
    const WrittenCase& c = GetParam();
    bool red = true;
    const Engine e = position_of(c.fen, &red);
    const Squares m = squares_of(c.move);
    ASSERT_TRUE(formats::is_playable(e, red, m.fromX, m.fromY, m.toX, m.toY)) << c.move;
    EXPECT_EQ(formats::move_text(e, m.fromX, m.fromY, m.toX, m.toY, Notation::Chinese), c.chinese);
    EXPECT_EQ(formats::move_text(e, m.fromX, m.fromY, m.toX, m.toY, Notation::Wxf), c.wxf);
    EXPECT_EQ(formats::move_text(e, m.fromX, m.fromY, m.toX, m.toY, Notation::Iccs), c.move);
    for (const char* text : {c.chinese, c.wxf}) {
        const formats::ReadMove r = read_move(e, red, text);
        EXPECT_EQ(r.status, ReadStatus::Ok) << text;
        EXPECT_EQ(formats::iccs_text(r.fromX, r.fromY, r.toX, r.toY), c.move) << text;
    }
}

INSTANTIATE_TEST_SUITE_P(Notation, HardNotation, ::testing::ValuesIn(HardCases),
                         [](const auto& row) { return std::string(row.param.name); });

// The game's own move text: the column label above the destination (the
// labels count from the right), its row from the top, and the piece as the
// game names it for its army.
TEST(JapaneseNotation, NamesTheDestinationByTheBoardsLabels) {
    const Engine start = position_of(FullSetFen);
    EXPECT_EQ(formats::move_text(start, 8, 8, 5, 8, Notation::Japanese), "５八炮");
    EXPECT_EQ(formats::move_text(start, 8, 1, 7, 3, Notation::Japanese), "３三馬");
    EXPECT_EQ(formats::move_text(start, 1, 4, 1, 5, Notation::Japanese), "９五卒");
    const Engine chariot = position_of("4k4/9/9/9/9/9/9/9/9/2RK5 w");
    EXPECT_EQ(formats::move_text(chariot, 3, 10, 3, 7, Notation::Japanese), "７七車");
    EXPECT_EQ(formats::move_text(chariot, 4, 10, 4, 9, Notation::Japanese), "６九師");
}

struct ReadCase {
    const char* text;
    const char* fen;
    const char* move;  // ICCS, or "" when the text must not read
    ReadStatus status;
};

constexpr const char* RedToMove = "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR w";
constexpr const char* BlackToMove = "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR b";
constexpr const char* TwoChariots = "4k4/9/9/9/9/7R1/9/9/9/3K3R1 w";
constexpr const char* TwoFiles = "4k4/9/2P6/2P1P4/2P1P4/9/9/9/9/5K3 w";
constexpr const char* FivePawns = "4k4/9/9/9/9/6p2/6p2/6p2/6p2/3K2p2 b";

// The forms real files write: traditional characters, ASCII and full-width
// digits, the variant characters, WXF with = and full width, ICCS in both
// cases, markers before or after the piece.
const ReadCase ReadCases[] = {
    {"炮二平五", RedToMove, "h2e2", ReadStatus::Ok},
    {"炮2平5", RedToMove, "h2e2", ReadStatus::Ok},
    {"砲二平五", RedToMove, "h2e2", ReadStatus::Ok},
    {"包二平五", RedToMove, "h2e2", ReadStatus::Ok},
    {"炮二平５", RedToMove, "h2e2", ReadStatus::Ok},
    {"C2.5", RedToMove, "h2e2", ReadStatus::Ok},
    {"C2=5", RedToMove, "h2e2", ReadStatus::Ok},
    {"c2.5", RedToMove, "h2e2", ReadStatus::Ok},
    {"Ｃ２．５", RedToMove, "h2e2", ReadStatus::Ok},
    {"H2-E2", RedToMove, "h2e2", ReadStatus::Ok},
    {"h2e2", RedToMove, "h2e2", ReadStatus::Ok},
    {"Ｈ２－Ｅ２", RedToMove, "h2e2", ReadStatus::Ok},
    {"車一進一", RedToMove, "i0i1", ReadStatus::Ok},
    {"俥一進一", RedToMove, "i0i1", ReadStatus::Ok},
    {"车九进一", RedToMove, "a0a1", ReadStatus::Ok},
    {"傌二進三", RedToMove, "h0g2", ReadStatus::Ok},
    {"帥五進一", "4k4/9/9/9/9/9/9/9/4A4/3AK4 w", "", ReadStatus::Illegal},
    {"马８进７", BlackToMove, "h9g7", ReadStatus::Ok},
    {"馬8進7", BlackToMove, "h9g7", ReadStatus::Ok},
    {"H8+7", BlackToMove, "h9g7", ReadStatus::Ok},
    {"卒７进１", BlackToMove, "g6g5", ReadStatus::Ok},
    {"後車進二", TwoChariots, "h0h2", ReadStatus::Ok},
    {"車前平七", TwoChariots, "h4c4", ReadStatus::Ok},
    {"+R.7", TwoChariots, "h4c4", ReadStatus::Ok},
    {"-R+2", TwoChariots, "h0h2", ReadStatus::Ok},
    {"前兵七平六", TwoFiles, "c7d7", ReadStatus::Ok},
    {"七前平六", TwoFiles, "c7d7", ReadStatus::Ok},
    {"前兵平六", TwoFiles, "", ReadStatus::Ambiguous},
    {"中卒平６", FivePawns, "g2f2", ReadStatus::Ok},
    {"车二进一", TwoChariots, "", ReadStatus::Ambiguous},
    {"马二平三", RedToMove, "", ReadStatus::Illegal},
    {"炮二进九", RedToMove, "", ReadStatus::Illegal},
    {"h2e3", RedToMove, "", ReadStatus::Illegal},
    {"h9g7", RedToMove, "", ReadStatus::Illegal},
    {"炮十平五", RedToMove, "", ReadStatus::Unreadable},
    {"炮二平", RedToMove, "", ReadStatus::Unreadable},
    {"hello", RedToMove, "", ReadStatus::Unreadable},
    {"4444444448e8", RedToMove, "", ReadStatus::Unreadable},  // no number overflows
    {"", RedToMove, "", ReadStatus::Unreadable},
    {"炮二平五炮二平五炮二平五", RedToMove, "", ReadStatus::Unreadable},
};

class ReadNotation : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadNotation, FindsTheMoveTheTextMeans) {
    const ReadCase& c = GetParam();
    bool red = true;
    const Engine e = position_of(c.fen, &red);
    const formats::ReadMove r = read_move(e, red, c.text);
    EXPECT_EQ(r.status, c.status);
    if (c.status == ReadStatus::Ok) {
        EXPECT_EQ(formats::iccs_text(r.fromX, r.fromY, r.toX, r.toY), c.move);
    }
}

INSTANTIATE_TEST_SUITE_P(Notation, ReadNotation, ::testing::ValuesIn(ReadCases));

// SAN counts coordinates from the rank the game uses: Fairy-Stockfish's 1
// or XBoard's 0.
TEST(SanNotation, ReadsBothRankCounts) {
    const Engine start = position_of(RedToMove);
    const formats::ReadMove fairy = read_move(start, true, "Che3", formats::FairyFirstRank);
    EXPECT_EQ(formats::iccs_text(fairy.fromX, fairy.fromY, fairy.toX, fairy.toY), "h2e2");
    const formats::ReadMove xboard = read_move(start, true, "Che2", formats::IccsFirstRank);
    EXPECT_EQ(formats::iccs_text(xboard.fromX, xboard.fromY, xboard.toX, xboard.toY), "h2e2");
    EXPECT_EQ(read_move(start, true, "Ce2", formats::IccsFirstRank).status, ReadStatus::Ambiguous);
    EXPECT_EQ(read_move(start, true, "Ne3", formats::IccsFirstRank).status, ReadStatus::Illegal);
    const Engine capture = position_of("r7R/4k4/9/9/9/9/9/9/9/3K5 w");
    const formats::ReadMove take = read_move(capture, true, "Rxa10", formats::FairyFirstRank);
    EXPECT_EQ(formats::iccs_text(take.fromX, take.fromY, take.toX, take.toY), "i9a9");
    int firstRank = -1;
    EXPECT_TRUE(formats::coordinate_rank_hint("Rxa10", firstRank));
    EXPECT_EQ(firstRank, formats::FairyFirstRank);
    EXPECT_TRUE(formats::coordinate_rank_hint("Rh0", firstRank));
    EXPECT_EQ(firstRank, formats::IccsFirstRank);
    EXPECT_FALSE(formats::coordinate_rank_hint("Che3", firstRank));
}

// Every legal move of the position written in each notation reads back to
// itself: no two moves share a text, and no text names another move.
void expect_every_move_reads_back(const Engine& e, bool red) {
    e.for_each_legal_move(!red, [&](const Move& m) {
        for (Notation n : {Notation::Chinese, Notation::Wxf, Notation::Iccs}) {
            const std::string text = formats::move_text(e, m.fromX, m.fromY, m.toX, m.toY, n);
            const formats::ReadMove r = read_move(e, red, text);
            ASSERT_EQ(r.status, ReadStatus::Ok) << text << " in " << e.fen(red);
            ASSERT_EQ(formats::iccs_text(r.fromX, r.fromY, r.toX, r.toY),
                      formats::iccs_text(m.fromX, m.fromY, m.toX, m.toY))
                << text << " in " << e.fen(red);
        }
    });
}

TEST(NotationRoundTrip, EveryMoveOfTheHardPositionsReadsBack) {
    for (const WrittenCase& c : HardCases) {
        bool red = true;
        const Engine e = position_of(c.fen, &red);
        expect_every_move_reads_back(e, red);
    }
}

TEST(NotationRoundTrip, EveryMoveAlongRandomGamesReadsBack) {
    std::mt19937 random(20240501);
    for (int game = 0; game < 30; ++game) {
        Engine e = position_of(RedToMove);
        bool red = true;
        for (int ply = 0; ply < 120; ++ply) {
            expect_every_move_reads_back(e, red);
            if (::testing::Test::HasFatalFailure()) return;
            std::vector<Move> moves;
            e.for_each_legal_move(!red, [&](const Move& m) { moves.push_back(m); });
            if (moves.empty()) break;
            const Move& m = moves[std::uniform_int_distribution<std::size_t>(0, moves.size() - 1)(random)];
            const int taken = e.piece_at(m.toX, m.toY);
            if (taken == ComGeneral || taken == ManGeneral) break;
            e.駒移動(m.fromX, m.fromY, m.toX, m.toY, m.piece);
            red = !red;
        }
    }
}

}  // namespace
}  // namespace zenko::testing
