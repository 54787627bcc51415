// The evaluation of one computer move. Scores count tenths: 99990 is 9999.
#include <gtest/gtest.h>

#include <ostream>

#include "test_positions.h"

namespace zenko::testing {
namespace {

// Runs ask() on the position after the COM move, as the search does: the
// pre-move copies of the position, then the move made and surveyed.
template <typename Ask>
Score after_com_move(const std::string& fen, const Move& m, Ask ask) {
    Engine engine;
    load_settled(engine, fen);
    engine.待避_移動前盤();
    const int piece = engine.piece_at(m.fromX, m.fromY);
    EXPECT_GE(piece, ComSoldier) << "no COM piece on the origin";
    EXPECT_EQ(engine.移動チェック(m.fromX, m.fromY, m.toX, m.toY, piece), FlagOn) << "illegal move";
    const int captured = engine.piece_at(m.toX, m.toY);
    const Engine::TrialMove trial(engine, m.fromX, m.fromY, m.toX, m.toY);
    engine.勢力調査();
    return ask(engine, captured, piece);
}

Score evaluate(const std::string& fen, const Move& m, int level = 1) {
    return after_com_move(fen, m, [&](Engine& e, int captured, int piece) {
        return e.盤評価(captured, piece, m.fromX, m.fromY, m.toX, m.toY, level);
    });
}

Score danger(const std::string& fen, const Move& m) {
    return after_com_move(
        fen, m, [&](Engine& e, int, int piece) { return e.盤評価_COM危険座標(piece, m.toX, m.toY); });
}

struct ScoreCase {
    const char* name;
    const char* fen;
    Move move;
    Score expected;
};
// Test names and failure reports show the row by its name.
void PrintTo(const ScoreCase& row, std::ostream* out) { *out << row.name; }

const ScoreCase DecisiveScores[] = {
    // The MAN chariot on (4,6) attacks the COM general on (4,1) throughout.
    {"TakingTheGeneralWinsThoughOwnGeneralIsAttacked", "3k5/9/9/9/5r3/3R5/9/9/9/5K3", {6, 5, 6, 10}, 99990},
    {"LeavingOwnGeneralAttackedLosesWhateverIsTaken", "3k5/9/9/9/5r3/3R5/9/9/5N3/5K3", {6, 5, 6, 9}, -99980},
    // The chariot to (4,5) mates: (4,9) is on its line, (5,10) on the other chariot's.
    {"MatingMove", "5k3/9/4r4/9/1r7/9/9/9/9/3K5", {2, 5, 4, 5}, 99980},
    // The soldier to (4,9) mates, defended by the chariot on (4,5).
    {"MateByASoldierCountsAsLost", "5k3/9/4r4/9/3r5/9/9/9/2p6/3K5", {3, 9, 4, 9}, -99980},
    // The chariot leaves (1,5), where the MAN chariot attacked it undefended
    // (+25), and takes that chariot where nothing reaches it (+25).
    {"TakingAChariotNothingReaches", "3k5/9/9/9/r8/9/9/R8/9/5K3", {1, 5, 1, 8}, 500},
};

class DecisiveScoreTable : public ::testing::TestWithParam<ScoreCase> {};

TEST_P(DecisiveScoreTable, Entry) {
    const ScoreCase& c = GetParam();
    EXPECT_EQ(evaluate(c.fen, c.move), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Evaluation, DecisiveScoreTable, ::testing::ValuesIn(DecisiveScores),
                         [](const auto& row) { return std::string(row.param.name); });

// What level 3 adds over level 1; level 2 always scores as level 1.
const ScoreCase PositionalRules[] = {
    {"ChariotToRank2WithGeneralOnFile6", "r2k5/9/9/9/9/9/9/9/9/5K3", {1, 1, 1, 2}, 150},
    {"ChariotToRank2WithGeneralOnFile5", "r2k5/9/9/9/9/9/9/9/9/4K4", {1, 1, 1, 2}, 50},
    {"ChariotFromTheWingIntoTheCentre", "3k5/9/9/9/r8/9/9/9/9/5K3", {1, 5, 5, 5}, 10},
    {"ChariotOntoTheGeneralsFileInTheCentre", "3k5/9/9/9/r8/9/9/9/9/5K3", {1, 5, 6, 5}, 20},
    {"CannonOntoTheGeneralsFile", "3k5/9/9/9/c8/9/9/9/9/5K3", {1, 5, 6, 5}, 10},
    {"CannonElsewhere", "3k5/9/9/9/c8/9/9/9/9/5K3", {1, 5, 5, 5}, 0},
    {"SafeSoldierOnTheGeneralsFile", "3k5/9/9/9/9/4p4/9/9/9/4K4", {5, 6, 5, 7}, 101},
    {"SafeSoldierElsewhere", "3k5/9/9/9/9/4p4/9/9/9/5K3", {5, 6, 5, 7}, 1},
    {"AttackedSoldierOnTheGeneralsFileGetsNothing", "3k5/9/9/9/9/4p4/8R/9/9/4K4", {5, 6, 5, 7}, 0},
    {"AttackedSoldierBeforeOwnCannonOnTheFile", "3k5/9/4c4/9/9/4p4/8R/9/9/4K4", {5, 6, 5, 7}, 50},
    {"AdvisorClosingTheCheck", "3ak4/9/9/9/9/4R4/9/9/9/3K5", {4, 1, 5, 2}, 50},
    {"HorseHasNoPositionalRule", "3k5/9/9/9/4n4/9/9/9/9/5K3", {5, 5, 6, 7}, 0},
};

class PositionalRuleTable : public ::testing::TestWithParam<ScoreCase> {};

TEST_P(PositionalRuleTable, Entry) {
    const ScoreCase& c = GetParam();
    const Score level1 = evaluate(c.fen, c.move, 1);
    EXPECT_EQ(evaluate(c.fen, c.move, 2), level1);
    EXPECT_EQ(evaluate(c.fen, c.move, 3) - level1, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Evaluation, PositionalRuleTable, ::testing::ValuesIn(PositionalRules),
                         [](const auto& row) { return std::string(row.param.name); });

const ScoreCase DangerScores[] = {
    // The COM chariot on (5,7) can take the horse (2,7) and the elephant (5,8),
    // both undefended: 0.1 each and the smaller of the two (4).
    {"DoubleAttackEarnsTheSmallerPiece", "3k5/9/9/9/9/9/1N6r/4B4/9/5K3", {9, 7, 5, 7}, 42},
    {"SingleAttackEarnsATenth", "3k5/9/9/9/9/9/1N6r/9/9/5K3", {9, 7, 5, 7}, 1},
    // The horse takes a chariot on (5,6), where a soldier attacks it and
    // nothing defends it: -6, and the chariot's 5 back though it is past rank 3.
    {"UndefendedCapturerGetsTheCaptureBack", "3k5/9/9/3n5/9/4R4/4P4/9/9/5K3", {4, 4, 5, 6}, -10},
};

class DangerTable : public ::testing::TestWithParam<ScoreCase> {};

TEST_P(DangerTable, Entry) {
    const ScoreCase& c = GetParam();
    EXPECT_EQ(danger(c.fen, c.move), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Evaluation, DangerTable, ::testing::ValuesIn(DangerScores),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace zenko::testing
