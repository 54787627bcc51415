// Move legality: one named row per rule, each on a position given as FEN
// (ranks from the top, y = 1; squares from the left, x = 1; lowercase = COM).
#include <gtest/gtest.h>

#include <ostream>

#include "test_positions.h"

namespace zenko::testing {
namespace {

struct LegalityCase {
    const char* name;
    const char* fen;
    int piece;  // expected on the origin: guards against a mistyped FEN
    int x1, y1, x2, y2;
    bool legal;
};
// Test names and failure reports show the row by its name.
void PrintTo(const LegalityCase& row, std::ostream* out) { *out << row.name; }

// Unless a row is about the flying-general rule, the generals stand on
// different files: COM on (4,1), MAN on (6,10).
const LegalityCase LegalityCases[] = {
    {"OwnComPieceCannotBeTaken", "r2k5/9/9/p8/9/9/9/9/9/5K3", ComChariot, 1, 1, 1, 4, false},
    {"OwnManPieceCannotBeTaken", "3k5/9/9/9/9/9/9/9/R8/R4K3", ManChariot, 1, 9, 1, 10, false},
    {"DestinationOffTheBoard", "3k5/9/9/9/9/9/9/R8/9/5K3", ManChariot, 1, 8, 0, 8, false},
    {"NullMove", "3k5/9/9/9/9/9/9/R8/9/5K3", ManChariot, 1, 8, 1, 8, false},
    // Cannons and chariots
    {"CannonMovesAlongClearFile", "3k5/9/9/9/9/9/9/C8/9/5K3", ManCannon, 1, 8, 1, 2, true},
    {"CannonMoveBlockedByAnyPiece", "3k5/9/9/9/P8/9/9/C8/9/5K3", ManCannon, 1, 8, 1, 2, false},
    {"CannonCapturesOverEnemyScreen", "3k5/r8/9/9/9/p8/9/C8/9/5K3", ManCannon, 1, 8, 1, 2, true},
    {"CannonCannotCaptureWithoutScreen", "3k5/r8/9/9/9/9/9/C8/9/5K3", ManCannon, 1, 8, 1, 2, false},
    {"CannonCannotCaptureOverTwoScreens", "3k5/r8/9/p8/9/P8/9/C8/9/5K3", ManCannon, 1, 8, 1, 2, false},
    {"CannonCapturesAlongRank", "3k5/9/9/9/9/9/9/C2p2r2/9/5K3", ManCannon, 1, 8, 7, 8, true},
    {"CannonNeverCapturesDiagonally", "3k5/9/9/9/9/2r6/1p7/C8/9/5K3", ManCannon, 1, 8, 3, 6, false},
    {"CannonStepsToAdjacentEmptySquare", "3k5/9/9/9/9/9/r8/C8/9/5K3", ManCannon, 1, 8, 2, 8, true},
    {"CannonCannotCaptureAdjacentPiece", "3k5/9/9/9/9/9/r8/C8/9/5K3", ManCannon, 1, 8, 1, 7, false},
    {"ChariotCapturesAdjacentPiece", "3k5/9/9/9/9/9/r8/R8/9/5K3", ManChariot, 1, 8, 1, 7, true},
    {"ChariotBlockedAlongRank", "3k5/9/9/9/9/9/9/R1p1r4/9/5K3", ManChariot, 1, 8, 5, 8, false},
    // River and palaces
    {"ComElephantCannotCrossRiver", "3k5/9/9/9/2b6/9/9/9/9/5K3", ComElephant, 3, 5, 5, 7, false},
    {"ManElephantCannotCrossRiver", "3k5/9/9/9/9/2B6/9/9/9/5K3", ManElephant, 3, 6, 5, 4, false},
    {"ElephantBlockedByEye", "2bk5/3p5/9/9/9/9/9/9/9/5K3", ComElephant, 3, 1, 5, 3, false},
    {"ElephantEyeOnOtherDiagonalIgnored", "2bk5/3p5/9/9/9/9/9/9/9/5K3", ComElephant, 3, 1, 1, 3, true},
    {"AdvisorCannotLeavePalace", "3ak4/9/9/9/9/9/9/9/9/5K3", ComAdvisor, 4, 1, 3, 2, false},
    {"AdvisorCannotStepStraight", "3ak4/9/9/9/9/9/9/9/9/5K3", ComAdvisor, 4, 1, 4, 2, false},
    {"GeneralStepsStraightInPalace", "3k5/9/9/9/9/9/9/9/9/5K3", ComGeneral, 4, 1, 4, 2, true},
    {"GeneralCannotLeavePalace", "3k5/9/9/9/9/9/9/9/9/5K3", ComGeneral, 4, 1, 3, 1, false},
    {"ManGeneralCannotLeavePalace", "3k5/9/9/9/9/9/9/5K3/9/9", ManGeneral, 6, 8, 6, 7, false},
    // Horses
    {"HorseJumps", "3k5/9/9/9/4n4/9/9/9/9/5K3", ComHorse, 5, 5, 6, 7, true},
    {"HorseBlockedByLeg", "3k5/9/9/9/4n4/4p4/9/9/9/5K3", ComHorse, 5, 5, 6, 7, false},
    {"HorseLegOnOtherAxisDoesNotBlock", "3k5/9/9/9/4np3/9/9/9/9/5K3", ComHorse, 5, 5, 6, 7, true},
    {"HorseSidewaysJumpBlockedByLeg", "3k5/9/9/9/4np3/9/9/9/9/5K3", ComHorse, 5, 5, 7, 6, false},
    // Soldiers
    {"ComSoldierNoSidewaysBeforeRiver", "3k5/9/9/p8/9/9/9/9/9/5K3", ComSoldier, 1, 4, 2, 4, false},
    {"ComSoldierNoSidewaysOnRank5", "3k5/9/9/9/2p6/9/9/9/9/5K3", ComSoldier, 3, 5, 4, 5, false},
    {"ComSoldierSidewaysAcrossRiver", "3k5/9/9/9/9/2p6/9/9/9/5K3", ComSoldier, 3, 6, 4, 6, true},
    {"ComSoldierNeverBack", "3k5/9/9/9/9/2p6/9/9/9/5K3", ComSoldier, 3, 6, 3, 5, false},
    {"ManSoldierNoSidewaysOnRank6", "3k5/9/9/9/9/2P6/9/9/9/5K3", ManSoldier, 3, 6, 4, 6, false},
    {"ManSoldierSidewaysAcrossRiver", "3k5/9/9/9/2P6/9/9/9/9/5K3", ManSoldier, 3, 5, 2, 5, true},
    // Flying general: generals on (5,1) and (5,10)
    {"ScreenMovesAlongGeneralsFile", "4k4/9/9/9/4R4/9/9/9/9/4K4", ManChariot, 5, 5, 5, 3, true},
    {"ScreenCannotLeaveGeneralsFile", "4k4/9/9/9/4R4/9/9/9/9/4K4", ManChariot, 5, 5, 1, 5, false},
    {"CapturerOfScreenBecomesScreen", "4k4/9/9/9/R3p4/9/9/9/9/4K4", ManChariot, 1, 5, 5, 5, true},
    {"ScreenCannotCaptureGeneral", "4k4/9/9/9/9/4R4/9/9/9/4K4", ManChariot, 5, 6, 5, 1, false},
    {"GeneralCapturedFromAnotherFile", "R3k4/9/9/9/4p4/9/9/9/9/4K4", ManChariot, 1, 1, 5, 1, true},
    {"GeneralCannotFaceGeneral", "3k5/9/9/9/9/9/9/9/9/4K4", ComGeneral, 4, 1, 5, 1, false},
    {"GeneralMayShareScreenedFile", "3k5/9/9/9/4p4/9/9/9/9/4K4", ComGeneral, 4, 1, 5, 1, true},
    // Check is never tested
    {"GeneralMayStepIntoCheck", "5k3/9/9/9/3r5/9/9/9/9/4K4", ManGeneral, 5, 10, 4, 10, true},
    {"CheckMayBeLeftUnanswered", "3k5/9/4r4/9/9/9/R8/9/9/4K4", ManChariot, 1, 7, 1, 6, true},
    {"PinnedPieceMayExposeGeneral", "3k5/9/4r4/9/9/9/9/4R4/9/4K4", ManChariot, 5, 8, 1, 8, true},
};

class LegalityRule : public ::testing::TestWithParam<LegalityCase> {};

TEST_P(LegalityRule, DecidesAndLeavesBoardAsItWas) {
    const LegalityCase& c = GetParam();
    Engine engine;
    load_fen(engine, c.fen);
    ASSERT_EQ(engine.piece_at(c.x1, c.y1), c.piece);
    const Position before(engine);
    EXPECT_EQ(engine.移動チェック(c.x1, c.y1, c.x2, c.y2, c.piece), c.legal ? FlagOn : FlagOff);
    EXPECT_EQ(Position(engine), before);
}

INSTANTIATE_TEST_SUITE_P(Rules, LegalityRule, ::testing::ValuesIn(LegalityCases),
                         [](const auto& row) { return std::string(row.param.name); });

// Every question about every pair of squares, on and off the board, leaves
// the board and the general squares untouched.
TEST(Legality, LeavesPositionUnchangedForEveryPairOfSquares) {
    for (const std::string& fen : {StartFen, MiddlegameFen, std::string("4k4/9/9/9/4R4/9/9/9/9/4K4")}) {
        Engine engine;
        load_fen(engine, fen);
        const Position before(engine);
        for (int x1 = 1; x1 <= BoardFiles; ++x1)
            for (int y1 = 1; y1 <= BoardRanks; ++y1)
                for (int x2 = 0; x2 <= BoardFiles + 1; ++x2)
                    for (int y2 = 0; y2 <= BoardRanks + 1; ++y2)
                        engine.移動チェック(x1, y1, x2, y2, engine.piece_at(x1, y1));
        EXPECT_EQ(Position(engine), before) << fen;
    }
}

// During a search's trial move the stored squares stay behind the board;
// the rule follows the stored squares, not the pieces.
TEST(Legality, FlyingGeneralReadsStoredGeneralSquares) {
    Engine engine;
    load_fen(engine, "3k5/9/9/9/9/9/9/9/9/5K3");
    EXPECT_EQ(engine.移動チェック(4, 1, 5, 1, ComGeneral), FlagOn);
    {
        const Engine::TrialMove stays(engine, 6, 10, 5, 10, Generals::Stay);
        EXPECT_EQ(engine.移動チェック(4, 1, 5, 1, ComGeneral), FlagOn);  // as if still on (6,10)
    }
    {
        const Engine::TrialMove follows(engine, 6, 10, 5, 10, Generals::Follow);
        EXPECT_EQ(engine.移動チェック(4, 1, 5, 1, ComGeneral), FlagOff);
    }
    EXPECT_EQ(engine.man_general(), (Square{6, 10}));
    EXPECT_EQ(engine.piece_at(6, 10), ManGeneral);
}

// The computer only tries squares inside 取得_駒移動座標's rectangle, so it
// must hold every legal destination of each COM piece.
TEST(Legality, CandidateRectangleHoldsEveryLegalComMove) {
    for (const std::string& fen : {StartFen, MiddlegameFen, std::string("3k1a3/9/b8/9/6b2/2p6/9/9/9/5K3")}) {
        Engine engine;
        load_fen(engine, fen);
        for (int x1 = 1; x1 <= BoardFiles; ++x1)
            for (int y1 = 1; y1 <= BoardRanks; ++y1) {
                const int piece = engine.piece_at(x1, y1);
                if (piece <= 0) continue;
                int xMin = 99, xMax = -99, yMin = 99, yMax = -99;
                engine.取得_駒移動座標(piece, x1, y1, xMin, xMax, yMin, yMax);
                for (int x2 = 1; x2 <= BoardFiles; ++x2)
                    for (int y2 = 1; y2 <= BoardRanks; ++y2) {
                        if (engine.移動チェック(x1, y1, x2, y2, piece) != FlagOn) continue;
                        EXPECT_TRUE(x2 >= xMin && x2 <= xMax && y2 >= yMin && y2 <= yMax)
                            << fen << ": " << piece << " (" << x1 << "," << y1 << ") to (" << x2 << "," << y2
                            << ")";
                    }
            }
    }
}

}  // namespace
}  // namespace zenko::testing
