// The standard rules of Xiangqi beside the game's own: check, the moves that
// leave the mover's general safe, mate and stalemate, perft against published
// counts, position keys, the repetition judgement, and the computer's search
// held to the standard rules.
#include "rules/standard_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "test_positions.h"

namespace zenko::testing {
namespace {

// Test names and failure reports show a row by its name.
template <typename Row>
std::string row_name(const ::testing::TestParamInfo<Row>& info) {
    return info.param.name;
}

// ---- Check ----

struct CheckCase {
    const char* name;
    const char* fen;
    bool comInCheck, manInCheck;
};
void PrintTo(const CheckCase& row, std::ostream* out) { *out << row.name; }

// Unless a row is about the generals themselves, COM's general stands on
// (4,1) and MAN's on (6,10), on different files.
const CheckCase CheckCases[] = {
    {"StartPosition", "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR", false, false},
    {"ChariotOnTheFile", "3k5/9/9/9/9/5r3/9/9/9/5K3", false, true},
    {"ChariotBlocked", "3k5/9/9/9/9/5r3/5P3/9/9/5K3", false, false},
    {"ChariotAlongTheRank", "3k5/9/9/9/9/9/9/9/9/r4K3", false, true},
    {"CannonOverOneScreen", "3k5/9/9/9/5c3/9/5P3/9/9/5K3", false, true},
    {"CannonWithoutScreen", "3k5/9/9/9/5c3/9/9/9/9/5K3", false, false},
    {"CannonOverTwoScreens", "3k5/9/9/9/5c3/5P3/5p3/9/9/5K3", false, false},
    {"HorseWithFreeLeg", "3k5/9/9/9/9/9/9/4n4/9/5K3", false, true},
    {"HorseWithBlockedLeg", "3k5/9/9/9/9/9/9/4n4/4P4/5K3", false, false},
    {"SoldierInFront", "3k5/9/9/9/9/9/9/9/5p3/5K3", false, true},
    {"SoldierBeside", "3k5/9/9/9/9/9/9/9/9/4pK3", false, true},
    {"SoldierNeverAttacksBackwards", "3P5/3k5/9/9/9/9/9/9/9/5K3", false, false},
    {"ManSoldierInFront", "3k5/3P5/9/9/9/9/9/9/9/5K3", true, false},
    {"GeneralsFacing", "4k4/9/9/9/9/9/9/9/9/4K4", true, true},
    {"GeneralsScreened", "4k4/9/9/9/4p4/9/9/9/9/4K4", false, false},
    // The capture 移動チェック refuses (it would leave the generals facing)
    // still counts as an attack.
    {"ChariotAloneBetweenTheGenerals", "4k4/9/9/9/4r4/9/9/9/9/4K4", false, true},
    {"MissingGeneral", "9/9/9/9/9/9/9/9/9/5K3", true, false},
};

class StandardCheck : public ::testing::TestWithParam<CheckCase> {};

TEST_P(StandardCheck, ReadsEveryAttackOnTheGeneral) {
    const CheckCase& c = GetParam();
    Engine engine;
    load_fen(engine, c.fen);
    EXPECT_EQ(standard_check(engine, true), c.comInCheck) << "COM";
    EXPECT_EQ(standard_check(engine, false), c.manInCheck) << "MAN";
}

INSTANTIATE_TEST_SUITE_P(Rules, StandardCheck, ::testing::ValuesIn(CheckCases), row_name<CheckCase>);

// ---- Legal moves ----

struct StandardMoveCase {
    const char* name;
    const char* fen;
    int x1, y1, x2, y2;
    bool ownRules, standard;  // legal by 移動チェック, legal by the standard rules
};
void PrintTo(const StandardMoveCase& row, std::ostream* out) { *out << row.name; }

const StandardMoveCase StandardMoveCases[] = {
    {"GeneralMayNotStepIntoCheck", "5k3/9/9/9/3r5/9/9/9/9/4K4", 5, 10, 4, 10, true, false},
    {"GeneralStepsOutOfReach", "5k3/9/9/9/3r5/9/9/9/9/4K4", 5, 10, 5, 9, true, true},
    {"GeneralMayNotFaceTheOther", "3k5/9/9/9/9/9/9/9/9/4K4", 5, 10, 4, 10, false, false},
    {"CheckMustBeAnswered", "3k5/9/4r4/9/9/9/R8/9/9/4K4", 1, 7, 1, 6, true, false},
    {"CheckAnsweredByBlocking", "3k5/9/4r4/9/9/9/R8/9/9/4K4", 1, 7, 5, 7, true, true},
    // A COM chariot alone between the generals checks the MAN general.
    {"ChariotBetweenGeneralsStepAside", "4k4/9/9/9/4r4/9/9/9/9/4K4", 5, 10, 4, 10, true, true},
    {"ChariotBetweenGeneralsStayOnFile", "4k4/9/9/9/4r4/9/9/9/9/4K4", 5, 10, 5, 9, true, false},
    {"ChariotBetweenGeneralsIgnored", "4k4/9/9/9/4r4/9/R8/9/9/4K4", 1, 7, 1, 6, true, false},
    {"ChariotBetweenGeneralsBlocked", "4k4/9/9/9/4r4/9/R8/9/9/4K4", 1, 7, 5, 7, true, true},
    {"ChariotBetweenGeneralsCaptured", "4k4/9/9/9/R3r4/9/9/9/9/4K4", 1, 5, 5, 5, true, true},
    {"PinnedPieceMayNotLeaveTheLine", "3k5/9/4r4/9/9/9/9/4R4/9/4K4", 5, 8, 1, 8, true, false},
    {"PinnedPieceMovesAlongTheLine", "3k5/9/4r4/9/9/9/9/4R4/9/4K4", 5, 8, 5, 4, true, true},
    {"PinnedPieceTakesThePinner", "3k5/9/4r4/9/9/9/9/4R4/9/4K4", 5, 8, 5, 3, true, true},
    // Two pieces between a COM cannon and the MAN general: neither may leave,
    // for the other would become the cannon's screen.
    {"CannonScreenMayNotLeave", "3k5/9/4c4/9/9/4N4/9/4R4/9/4K4", 5, 6, 3, 7, true, false},
    {"OtherCannonScreenMayNotLeave", "3k5/9/4c4/9/9/4N4/9/4R4/9/4K4", 5, 8, 1, 8, true, false},
    {"CannonScreenMovesAlongTheFile", "3k5/9/4c4/9/9/4N4/9/4R4/9/4K4", 5, 8, 5, 7, true, true},
    {"NoPieceMayBecomeTheCannonsScreen", "3k5/9/4c4/9/9/9/9/9/R8/4K4", 1, 9, 5, 9, true, false},
    {"PieceRuleStillApplies", "3k5/9/9/9/9/9/9/9/9/R4K3", 1, 10, 2, 9, false, false},
};

class StandardMove : public ::testing::TestWithParam<StandardMoveCase> {};

TEST_P(StandardMove, IsTheGamesMoveThatLeavesTheGeneralSafe) {
    const StandardMoveCase& c = GetParam();
    Engine engine;
    load_fen(engine, c.fen);
    const Position before(engine);
    EXPECT_EQ(engine.移動チェック(c.x1, c.y1, c.x2, c.y2, engine.piece_at(c.x1, c.y1)) == FlagOn, c.ownRules);
    EXPECT_EQ(standard_legal(engine, c.x1, c.y1, c.x2, c.y2), c.standard);
    EXPECT_EQ(Position(engine), before);
}

INSTANTIATE_TEST_SUITE_P(Rules, StandardMove, ::testing::ValuesIn(StandardMoveCases),
                         row_name<StandardMoveCase>);

// ---- The end of the game ----

struct StatusCase {
    const char* name;
    const char* fen;
    GameStatus status;
};
void PrintTo(const StatusCase& row, std::ostream* out) { *out << row.name; }

const StatusCase StatusCases[] = {
    {"StartIsPlay", "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR w", GameStatus::Play},
    {"CheckWithAnEscapeIsPlay", "5k3/9/9/9/3r5/9/9/9/9/3K5 w", GameStatus::Play},
    {"TwoChariotsMate", "5k3/9/4r4/9/3r5/9/9/9/9/3K5 w", GameStatus::Checkmate},
    // The chariot between the generals checks; the two others hold the
    // general's side steps.
    {"ChariotBetweenTheGeneralsMates", "4k4/9/3r1r3/9/4r4/9/9/9/9/4K4 w", GameStatus::Checkmate},
    {"GeneralHemmedInIsStalemate", "5k3/9/4r4/9/9/9/9/9/8r/3K5 w", GameStatus::Stalemate},
    // COM to move: its general may neither step onto the open file facing
    // MAN's nor onto the rank of the chariot.
    {"FacingRuleStalemates", "5k3/R8/9/9/9/9/9/9/9/4K4 b", GameStatus::Stalemate},
    {"ComMated", "4k4/9/9/9/9/4R4/9/3R1R3/9/4K4 b", GameStatus::Checkmate},
};

class StandardStatus : public ::testing::TestWithParam<StatusCase> {};

TEST_P(StandardStatus, OfTheSideToMove) {
    const StatusCase& c = GetParam();
    Engine engine;
    bool manToMove = true;
    ASSERT_TRUE(engine.set_fen(c.fen, &manToMove));
    const Position before(engine);
    EXPECT_EQ(standard_status(engine, manToMove), c.status);
    EXPECT_EQ(Position(engine), before);
}

INSTANTIATE_TEST_SUITE_P(Rules, StandardStatus, ::testing::ValuesIn(StatusCases), row_name<StatusCase>);

// ---- Perft ----

struct StandardPerftCase {
    const char* name;
    const char* fen;
    long long leaves[4];  // depths 1 to 4; 0 = not counted
};
void PrintTo(const StandardPerftCase& row, std::ostream* out) { *out << row.name; }

// The published counts of the Chess Programming Wiki's "Chinese Chess Perft
// Results" (the start position and its positions 2 to 11) and of
// Fairy-Stockfish's perft tests, at depths that stay quick under
// AddressSanitizer; the start position's depth 4 runs through the engine
// tool in optimised builds (perft_test.cpp). The last row counts by hand
// the side steps of a general checked by the chariot between the generals.
const StandardPerftCase StandardPerftCases[] = {
    {"Start", "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR w", {44, 1920, 79666, 0}},
    {"Wiki2", "r1ba1a3/4kn3/2n1b4/pNp1p1p1p/4c4/6P2/P1P2R2P/1CcC5/9/2BAKAB2 w", {38, 1128, 43929, 0}},
    {"Wiki3", "1cbak4/9/n2a5/2p1p3p/5cp2/2n2N3/6PCP/3AB4/2C6/3A1K1N1 w", {7, 281, 8620, 0}},
    {"Wiki4", "5a3/3k5/3aR4/9/5r3/5n3/9/3A1A3/5K3/2BC2B2 w", {25, 424, 9850, 0}},
    {"Wiki5", "CRN1k1b2/3ca4/4ba3/9/2nr5/9/9/4B4/4A4/4KA3 w", {28, 516, 14808, 0}},
    {"Wiki6", "R1N1k1b2/9/3aba3/9/2nr5/2B6/9/4B4/4A4/4KA3 w", {21, 364, 7626, 0}},
    {"Wiki7", "C1nNk4/9/9/9/9/9/n1pp5/B3C4/9/3A1K3 w", {28, 222, 6241, 64971}},
    {"Wiki8", "4ka3/4a4/9/9/4N4/p8/9/4C3c/7n1/2BK5 w", {23, 345, 8124, 0}},
    {"Wiki9", "2b1ka3/9/b3N4/4n4/9/9/9/4C4/2p6/2BK5 w", {21, 195, 3883, 48060}},
    {"Wiki10", "1C2ka3/9/C1Nab1n2/p3p3p/6p2/9/P3P3P/3AB4/3p2c2/c1BAK4 w", {30, 830, 22787, 0}},
    {"Wiki11", "CnN1k1b2/c3a4/4ba3/9/2nr5/9/9/4C4/4A4/4KA3 w", {19, 583, 11714, 0}},
    {"FairyStockfish2", "4kcP1N/8n/3rb4/9/9/9/9/3p1A3/4K4/5CB2 w", {0, 0, 0, 92741}},
    {"ChariotBetweenTheGenerals", "4k4/9/9/9/4r4/9/9/9/9/4K4 w", {2, 0, 0, 0}},
};

class StandardPerft : public ::testing::TestWithParam<StandardPerftCase> {};

TEST_P(StandardPerft, MatchesThePublishedCounts) {
    const StandardPerftCase& c = GetParam();
    Engine engine;
    bool manToMove = true;
    ASSERT_TRUE(engine.set_fen(c.fen, &manToMove));
    const Position before(engine);
    for (int depth = 1; depth <= 4; ++depth) {
        if (c.leaves[depth - 1] == 0) continue;
        EXPECT_EQ(standard_perft(engine, depth, manToMove), c.leaves[depth - 1]) << "depth " << depth;
    }
    EXPECT_EQ(Position(engine), before);
}

INSTANTIATE_TEST_SUITE_P(Published, StandardPerft, ::testing::ValuesIn(StandardPerftCases),
                         row_name<StandardPerftCase>);

// ---- Position keys ----

TEST(PositionKey, DependsOnTheBoardAndTheSideToMoveOnly) {
    Engine a, b;
    load_fen(a, StartFen);
    load_fen(b, StartFen);
    // The same two moves in either order give the same position.
    a.駒移動(2, 8, 5, 8, ManCannon), a.駒移動(8, 1, 7, 3, ComHorse);
    b.駒移動(8, 1, 7, 3, ComHorse), b.駒移動(2, 8, 5, 8, ManCannon);
    EXPECT_EQ(position_key(a, true), position_key(b, true));
    EXPECT_NE(position_key(a, true), position_key(a, false));
    {
        const Engine::TrialMove trial(a, 5, 8, 5, 4, Generals::Follow);
        EXPECT_NE(position_key(a, true), position_key(b, true));
    }
    EXPECT_EQ(position_key(a, true), position_key(b, true));
    b.put_piece(5, 8, ComCannon);  // the same kind of piece of the other army
    EXPECT_NE(position_key(a, true), position_key(b, true));
}

// ---- Repetition ----

// Positions as letters: upper case with MAN to move, lower case with COM to
// move. Each string lists the positions after the plies, MAN moving first
// from `A`; a '+' after a letter marks a ply that gave check.
struct RepetitionCase {
    const char* name;
    const char* plies;
    Repetition result;
};
void PrintTo(const RepetitionCase& row, std::ostream* out) { *out << row.name; }

const RepetitionCase RepetitionCases[] = {
    {"NoPlies", "", Repetition::None},
    {"TwiceIsNotYetARepetition", "bCdA", Repetition::None},
    {"ThirdTimeDraws", "bCdAbCdA", Repetition::Draw},
    {"ThirdTimeOfAnotherPositionDraws", "bCdAbCdAb", Repetition::Draw},
    {"ManCheckingThroughoutLoses", "b+Cd+Ab+Cd+A", Repetition::ManLoses},
    {"ComCheckingThroughoutLoses", "bC+dA+bC+dA+", Repetition::ComLoses},
    {"BothCheckingThroughoutDraws", "b+C+d+A+b+C+d+A+", Repetition::Draw},
    {"CheckingInTheLastRoundOnlyDraws", "bCd+Ab+Cd+A", Repetition::Draw},
    {"OneMoveWithoutCheckBreaksPerpetual", "b+Cd+Ab+CdA", Repetition::Draw},
    // Moves before the position first stood are not part of the cycle.
    {"MovesBeforeTheCycleAreIgnored", "eFb+Cd+Gb+Cd+Gb+", Repetition::ManLoses},
};

std::vector<RepetitionPly> plies_of(const char* text) {
    std::vector<RepetitionPly> plies;
    bool manMoves = true;
    for (const char* c = text; *c; ++c) {
        if (*c == '+') {
            plies.back().gaveCheck = true;
            continue;
        }
        plies.push_back({static_cast<PositionKey>(*c), manMoves, false});
        manMoves = !manMoves;
    }
    return plies;
}

class RepetitionJudgement : public ::testing::TestWithParam<RepetitionCase> {};

TEST_P(RepetitionJudgement, OfThePositionAfterTheLastPly) {
    const RepetitionCase& c = GetParam();
    const std::vector<RepetitionPly> plies = plies_of(c.plies);
    EXPECT_EQ(judge_repetition('A', plies), c.result);
}

INSTANTIATE_TEST_SUITE_P(Rules, RepetitionJudgement, ::testing::ValuesIn(RepetitionCases),
                         row_name<RepetitionCase>);

// A capture starts the count afresh: the caller passes the position after it
// and the plies since, so occurrences before it do not count.
TEST(RepetitionJudgementAfterACapture, CountsOnlyThePliesSinceTheCapture) {
    const std::vector<RepetitionPly> game = plies_of("bCdAbCdAxYzA");
    EXPECT_EQ(judge_repetition('A', game), Repetition::Draw);  // were the capture x ignored
    const std::vector<RepetitionPly> sinceCapture(game.begin() + 9, game.end());
    EXPECT_EQ(judge_repetition('x', sinceCapture), Repetition::None);
}

// Real keys and checks of a perpetual check: the MAN chariot checks along
// rank 1 and rank 2 in turn, and the COM general steps between them.
TEST(RepetitionJudgementOfAGame, ChariotCheckingBackAndForthLoses) {
    Engine engine;
    bool manToMove = true;
    ASSERT_TRUE(engine.set_fen("4k4/R8/9/9/9/9/9/9/9/3K5 w", &manToMove));
    struct Step {
        int x1, y1, x2, y2;
    };
    const Step cycle[] = {{1, 2, 1, 1}, {5, 1, 5, 2}, {1, 1, 1, 2}, {5, 2, 5, 1}};
    const PositionKey start = position_key(engine, manToMove);
    std::vector<RepetitionPly> plies;
    Repetition result = Repetition::None;
    for (int round = 0; round < 3 && result == Repetition::None; ++round)
        for (const Step& s : cycle) {
            const bool manMoved = manToMove;
            ASSERT_TRUE(standard_legal(engine, s.x1, s.y1, s.x2, s.y2))
                << round << ": " << engine.fen(manToMove);
            engine.駒移動(s.x1, s.y1, s.x2, s.y2, engine.piece_at(s.x1, s.y1));
            manToMove = !manToMove;
            // The move checks the other army's general: COM's when MAN moved.
            plies.push_back({position_key(engine, manToMove), manMoved, standard_check(engine, manMoved)});
            result = judge_repetition(start, plies);
            if (result != Repetition::None) break;
        }
    EXPECT_EQ(plies.size(), 8u);
    EXPECT_EQ(result, Repetition::ManLoses);
}

// ---- The computer's search under the standard rules ----

// Visits positions of random standard-legal games from the start (fixed
// seed) with COM to move; a game ends when the side to move has no move.
template <typename Visit>
void for_random_standard_positions(unsigned seed, int games, int plies, Visit visit) {
    std::mt19937 random(seed);
    for (int game = 0; game < games; ++game) {
        Engine engine;
        engine.初期配置();
        bool manToMove = true;
        for (int ply = 0; ply < plies; ++ply) {
            if (!manToMove) visit(engine);
            if (::testing::Test::HasFatalFailure()) return;
            std::vector<zenko::Move> moves;
            for_each_standard_move(engine, !manToMove, [&](const zenko::Move& m) { moves.push_back(m); });
            if (moves.empty()) break;
            const zenko::Move& m = moves[random() % moves.size()];
            engine.駒移動(m.fromX, m.fromY, m.toX, m.toY, m.piece);
            manToMove = !manToMove;
        }
    }
}

// Under the standard rules the search scores exactly the candidates it
// scores under the game's own, less those that leave COM's general in
// check, with the same scores in the same order; it keeps the first best,
// and finds nothing exactly when COM has no standard-legal move.
class StandardSearch : public ::testing::TestWithParam<int> {};

TEST_P(StandardSearch, ChoosesAmongTheSafeCandidatesAsTheGameWould) {
    const int level = GetParam();
    int positions = 0, passedOver = 0;
    for_random_standard_positions(17, 7, 60, [&](Engine& engine) {
        ++positions;
        engine.待避_移動前盤();
        SearchRecorder own, standard;
        engine.探索({level, false}, &own);
        const SearchResult best = engine.探索({level, true}, &standard);
        std::vector<Candidate> expected;
        for (const Candidate& c : own.candidates) {
            const zenko::Move m{c.fromX, c.fromY, c.toX, c.toY, engine.piece_at(c.fromX, c.fromY)};
            if (general_safe_after(engine, m)) expected.push_back(c);
        }
        passedOver += static_cast<int>(own.candidates.size() - expected.size());
        ASSERT_EQ(standard.candidates.size(), expected.size()) << engine.fen(false);
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const Candidate &s = standard.candidates[i], &e = expected[i];
            ASSERT_EQ((std::array<int, 5>{s.fromX, s.fromY, s.toX, s.toY, s.score}),
                      (std::array<int, 5>{e.fromX, e.fromY, e.toX, e.toY, e.score}))
                << engine.fen(false) << " candidate " << i;
        }
        ASSERT_EQ(best.found, has_standard_move(engine, true)) << engine.fen(false);
        if (!best.found) return;
        EXPECT_TRUE(standard_legal(engine, best.fromX, best.fromY, best.toX, best.toY)) << engine.fen(false);
        std::size_t first = 0;
        for (std::size_t i = 1; i < expected.size(); ++i)
            if (expected[i].score > expected[first].score) first = i;
        const Candidate& chosen = expected[first];
        EXPECT_EQ((std::array<int, 5>{best.fromX, best.fromY, best.toX, best.toY, best.score}),
                  (std::array<int, 5>{chosen.fromX, chosen.fromY, chosen.toX, chosen.toY, chosen.score}))
            << engine.fen(false);
    });
    EXPECT_GT(positions, 200);
    EXPECT_GT(passedOver, 0);  // the random games do leave COM moves into check to pass over
}

INSTANTIATE_TEST_SUITE_P(Levels, StandardSearch, ::testing::Values(1, 2, 3),
                         [](const auto& row) { return "Level" + std::to_string(row.param); });

struct NoStandardMoveCase {
    const char* name;
    const char* fen;
};
void PrintTo(const NoStandardMoveCase& row, std::ostream* out) { *out << row.name; }

const NoStandardMoveCase NoStandardMoveCases[] = {
    {"Stalemated", "5k3/R8/9/9/9/9/4R4/9/9/3K5 b"},
    {"Checkmated", "4k4/9/9/9/9/4R4/9/3R1R3/9/4K4 b"},
};

class StandardSearchWithoutAMove : public ::testing::TestWithParam<NoStandardMoveCase> {};

// The game's own rules would let the general walk into check; the standard
// rules leave no candidate at any level.
TEST_P(StandardSearchWithoutAMove, FindsNothingWhereTheOwnRulesFindAMove) {
    Engine engine;
    load_settled(engine, GetParam().fen);
    for (int level = 1; level <= 3; ++level) {
        EXPECT_TRUE(engine.start_computer_turn({level, false}).found) << level;
        EXPECT_FALSE(engine.start_computer_turn({level, true}).found) << level;
    }
}

INSTANTIATE_TEST_SUITE_P(Positions, StandardSearchWithoutAMove, ::testing::ValuesIn(NoStandardMoveCases),
                         row_name<NoStandardMoveCase>);

}  // namespace
}  // namespace zenko::testing
