// The influence survey: what each side reaches, the attacker and guard
// tables, the check marks, and the two small questions the evaluation asks.
#include <gtest/gtest.h>

#include <ostream>

#include "test_positions.h"

namespace zenko::testing {
namespace {

// Surveys a position as the engine tool does: the pre-move board is the
// position itself, so step attacks are classified by what stands there.
void survey(Engine& engine, const std::string& fen) {
    load_settled(engine, fen);
    engine.勢力調査();
}

using Table = const Engine::Table& (Engine::*)() const;

struct SurveyCase {
    const char* name;
    const char* fen;
    Table table;
    int x, y;
    int expected;
};
// Test names and failure reports show the row by its name.
void PrintTo(const SurveyCase& row, std::ostream* out) { *out << row.name; }

// Unless a row needs otherwise, COM's general stands on (4,1), MAN's on (6,10).
// Cannons: MAN cannon (1,5); on file 1 a COM chariot (1,1), COM soldier (1,3),
// MAN soldier (1,7) and COM horse (1,9).
constexpr const char* CannonFile = "r2k5/9/p8/9/C8/9/P8/9/n8/5K3";
// MAN chariot (2,8), horse (5,8), cannon (9,8) on one rank.
constexpr const char* ManRank = "3k5/9/9/9/9/9/9/1R2N3C/9/5K3";
// MAN chariot (5,6) checking the COM general on (5,2); MAN general (4,10).
constexpr const char* ChariotChecksCom = "9/4k4/9/9/9/4R4/9/9/9/3K5";
// COM chariot (6,3) checking the MAN general on (6,9).
constexpr const char* ChariotChecksMan = "3k5/9/5r3/9/9/9/9/9/5K3/9";
// MAN cannon (5,8) checking the COM general (5,1) over a soldier on (5,4).
constexpr const char* CannonChecksCom = "4k4/9/9/4P4/9/9/9/4C4/9/3K5";
// COM cannon (6,3) checking the MAN general (6,9) over a soldier on (6,6).
constexpr const char* CannonChecksMan = "3k5/9/5c3/9/9/5p3/9/9/5K3/9";
// MAN horses (3,4), (3,6), (7,6) all attack the COM soldier on (5,5).
constexpr const char* EqualManAttackers = "3k5/9/9/2N6/4p4/2N3N2/9/9/9/5K3";
// ... and a MAN soldier on (5,6), found after the first horse.
constexpr const char* CloserManAttacker = "3k5/9/9/2N6/4p4/2N1P1N2/9/9/9/5K3";
// COM horses (3,3), (7,3) and a COM soldier (5,3) attack the MAN soldier on (5,4).
constexpr const char* ComAttackers = "3k5/9/2n3n2/4P4/9/9/9/9/9/5K3";
constexpr const char* ComAttackersAndSoldier = "3k5/9/2n1p1n2/4P4/9/9/9/9/9/5K3";
// Soldiers of both sides before and across the river and on the far rank.
constexpr const char* Soldiers = "3k3P1/9/9/9/4P3p/P3p4/9/9/9/1p3K3";

const SurveyCase SurveyCases[] = {
    // Cannons reach a square only over exactly one screen, of either side
    {"CannonWithoutScreenDoesNotReach", CannonFile, &Engine::man_influence, 1, 4, 0},
    {"CannonReachesPastOneScreen", CannonFile, &Engine::man_influence, 1, 2, 1},
    {"CannonAttacksOverEnemyScreen", CannonFile, &Engine::man_attacker, 1, 1, -3},
    {"CannonAttacksOverOwnScreen", CannonFile, &Engine::man_attacker, 1, 9, -3},
    {"CannonStopsAtSecondScreen", CannonFile, &Engine::man_influence, 1, 10, 0},
    {"CannonDefendsOverAScreen", ManRank, &Engine::man_influence, 2, 8, 1},
    {"ChariotRayEndsAtOwnPiece", ManRank, &Engine::man_influence, 6, 8, 0},
    // Chariot rays run through the enemy general and mark the check
    {"ManRayContinuesPastComGeneral", ChariotChecksCom, &Engine::man_influence, 5, 1, 1},
    {"ManRayAttacksComGeneral", ChariotChecksCom, &Engine::man_attacker, 5, 2, -5},
    {"ManRayMarksSquaresBetween", ChariotChecksCom, &Engine::com_general_check, 5, 3, 1},
    {"ManRayMarksTheChariot", ChariotChecksCom, &Engine::com_general_check, 5, 6, 9},
    {"ManRayLeavesGeneralUnmarked", ChariotChecksCom, &Engine::com_general_check, 5, 2, 0},
    {"ComRayContinuesPastManGeneral", ChariotChecksMan, &Engine::com_influence, 6, 10, 1},
    {"ComRayAttacksManGeneral", ChariotChecksMan, &Engine::com_attacker, 6, 9, 5},
    {"ComRayMarksTheChariot", ChariotChecksMan, &Engine::man_general_check, 6, 3, 9},
    // Cannon checks: MAN's are marked on the empty squares between, COM's on the cannon
    {"ManCannonMarksEmptySquaresNearGeneral", CannonChecksCom, &Engine::com_general_check, 5, 2, 9},
    {"ManCannonLeavesScreenUnmarked", CannonChecksCom, &Engine::com_general_check, 5, 4, 0},
    {"ManCannonLeavesItsOwnSquareUnmarked", CannonChecksCom, &Engine::com_general_check, 5, 8, 0},
    {"ComCannonMarksItsSquare", CannonChecksMan, &Engine::man_general_check, 6, 3, 9},
    {"ComCannonLeavesSquaresBetweenUnmarked", CannonChecksMan, &Engine::man_general_check, 6, 4, 0},
    {"StepCheckerMarksItsSquare", "3k5/9/4N4/9/9/9/9/9/9/5K3", &Engine::com_general_check, 5, 3, 9},
    // Attackers: the code closest to zero; among equal codes the first in scan order
    {"EqualManAttackersFirstFile", EqualManAttackers, &Engine::man_attacker_x, 5, 5, 3},
    {"EqualManAttackersFirstRank", EqualManAttackers, &Engine::man_attacker_y, 5, 5, 4},
    {"CloserManAttackerFoundLaterWins", CloserManAttacker, &Engine::man_attacker, 5, 5, -1},
    {"EqualComAttackersFirstFile", ComAttackers, &Engine::com_attacker_x, 5, 4, 3},
    {"SmallestComAttackerWins", ComAttackersAndSoldier, &Engine::com_attacker, 5, 4, 1},
    // Guards: the smallest COM code that defends the piece
    {"GuardedByGeneralAlone", "4k4/4a4/9/9/9/9/9/9/9/3K5", &Engine::com_guard, 5, 2, 7},
    {"GeneralThenChariotGuard", "4k4/4a3r/9/9/9/9/9/9/9/3K5", &Engine::com_guard, 5, 2, 5},
    {"ChariotThenGeneralGuard", "4k4/r3a4/9/9/9/9/9/9/9/3K5", &Engine::com_guard, 5, 2, 5},
    {"UnguardedPiece", "4k4/4a3r/9/9/9/9/9/9/9/3K5", &Engine::com_guard, 9, 2, 999},
    {"GeneralDefendsOwnPiece", "3k5/9/9/9/9/9/9/9/4A4/4K4", &Engine::man_influence, 5, 9, 1},
    // Soldiers: forward, and sideways once across the river
    {"ManSoldierOnRank6OnlyAdvances", Soldiers, &Engine::man_influence, 2, 6, 0},
    {"ManSoldierAcrossRiverStepsSideways", Soldiers, &Engine::man_influence, 6, 5, 1},
    {"ManSoldierOnFarRankStepsSideways", Soldiers, &Engine::man_influence, 9, 1, 1},
    {"ComSoldierOnRank5OnlyAdvances", Soldiers, &Engine::com_influence, 8, 5, 0},
    {"ComSoldierOnFarRankStepsSideways", Soldiers, &Engine::com_influence, 3, 10, 1},
};

class SurveyTable : public ::testing::TestWithParam<SurveyCase> {};

TEST_P(SurveyTable, Entry) {
    const SurveyCase& c = GetParam();
    Engine engine;
    survey(engine, c.fen);
    EXPECT_EQ((engine.*c.table)()[c.x][c.y], c.expected) << "at (" << c.x << "," << c.y << ")";
}

INSTANTIATE_TEST_SUITE_P(Survey, SurveyTable, ::testing::ValuesIn(SurveyCases),
                         [](const auto& row) { return std::string(row.param.name); });

// After a trial move the squares it changed differ between the live board
// and the pre-move copy: step attacks follow the copy, chariot rays the board.
TEST(Survey, StepAttacksFollowThePreMoveBoardAndRaysTheLiveBoard) {
    Engine engine;
    survey(engine, "3k5/9/9/9/r7R/4P4/1N7/9/9/5K3 b");
    const Engine::TrialMove chariot(engine, 1, 5, 5, 5);  // the COM chariot goes to (5,5)
    engine.勢力調査();
    EXPECT_EQ(engine.man_influence()[5][5], 2);  // the soldier on (5,6) and the chariot on (9,5)
    EXPECT_EQ(engine.man_attacker()[5][5], -5);  // the soldier's attack is not recorded
    EXPECT_EQ(engine.man_attacker_x()[5][5], 9);
    EXPECT_EQ(engine.man_attacker()[1][5], -6);  // the horse still "attacks" the square left
}

TEST(Survey, RecordsGeneralSquaresAndKeepsThemWhenAGeneralIsGone) {
    Engine engine;
    survey(engine, "9/4k4/9/9/9/9/9/9/5K3/9");
    EXPECT_EQ(engine.com_general().x, 5);
    EXPECT_EQ(engine.com_general().y, 2);
    EXPECT_EQ(engine.man_general().x, 6);
    EXPECT_EQ(engine.man_general().y, 9);
    engine.put_piece(6, 9, PieceEmpty);
    engine.勢力調査();
    EXPECT_EQ(engine.man_general().x, 6);
    EXPECT_EQ(engine.man_general().y, 9);
}

TEST(Survey, MovableSquaresCountOnlySquaresTheEnemyDoesNotReach) {
    Engine engine;
    // COM chariot (1,5) and MAN chariot (9,6): each has 17 moves, and the
    // other covers two of them, (1,6) and (9,5).
    survey(engine, "3k5/9/9/9/r8/8R/9/9/9/5K3");
    EXPECT_EQ(engine.調査_移動可場所数(1, 5, ComChariot), 15);
    EXPECT_EQ(engine.調査_移動可場所数(9, 6, ManChariot), 15);
}

struct GuardedCase {
    const char* name;
    const char* fen;
    bool guarded;  // of (3,4) by a MAN chariot below it
};
// Test names and failure reports show the row by its name.
void PrintTo(const GuardedCase& row, std::ostream* out) { *out << row.name; }

const GuardedCase GuardedCases[] = {
    {"ChariotOnRank9Guards", "3k5/9/9/9/9/9/9/9/2R6/5K3", true},
    {"ChariotOnBottomRankIsNotSeen", "3k5/9/9/9/9/9/9/9/9/2R2K3", false},
    {"ComPieceInBetweenEndsTheSearch", "3k5/9/9/9/9/2p6/9/9/2R6/5K3", false},
    {"ManPieceInBetweenBlocksTheChariot", "3k5/9/9/9/9/2P6/9/9/2R6/5K3", false},
    {"OwnPieceOnTheSquareIsLookedThrough", "3k5/9/9/2P6/9/9/9/9/2R6/5K3", true},
};

class GuardedTable : public ::testing::TestWithParam<GuardedCase> {};

TEST_P(GuardedTable, Entry) {
    Engine engine;
    survey(engine, GetParam().fen);
    const int before = engine.piece_at(3, 4);
    EXPECT_EQ(engine.調査_自守駒MAN_直進駒(3, 4), GetParam().guarded);
    EXPECT_EQ(engine.piece_at(3, 4), before);
}

INSTANTIATE_TEST_SUITE_P(Survey, GuardedTable, ::testing::ValuesIn(GuardedCases),
                         [](const auto& row) { return std::string(row.param.name); });

// The copy is taken after the survey, so that survey still classifies
// attacks by the previous copy.
TEST(Survey, PreMoveCopiesTakeBoardAndCountsAfterSurveying) {
    Engine engine;
    load_fen(engine, EqualManAttackers);
    engine.待避_移動前盤();
    EXPECT_EQ(engine.board_before_move()[5][5], ComSoldier);
    EXPECT_EQ(engine.saved_man_influence()[5][5], 3);
    EXPECT_EQ(engine.saved_com_influence()[4][2], 1);  // the COM general's step
    EXPECT_EQ(engine.man_attacker()[5][5], -999);      // the copy was still empty
    engine.待避_移動前盤();
    EXPECT_EQ(engine.man_attacker()[5][5], -6);
}

}  // namespace
}  // namespace zenko::testing
