// The mate tests: a general in check is mated unless it can step to a square
// the enemy does not reach, or another piece can move onto one of the
// squares the survey marked for that check.
#include <gtest/gtest.h>

#include <ostream>

#include "test_positions.h"

namespace zenko::testing {
namespace {

struct MateCase {
    const char* name;
    const char* fen;
    bool manMated, comMated;
};
void PrintTo(const MateCase& c, std::ostream* os) { *os << c.fen; }

// MAN's general mostly stands in the corner (4,10), where its only steps are
// (4,9) and (5,10); a COM soldier on (6,10) or a chariot on file 5 covers (5,10).
const MateCase MateCases[] = {
    {"StartIsNoMate", "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR", false, false},
    {"ChariotCheckWithoutDefence", "5k3/9/4r4/9/3r5/9/9/9/9/3K5", true, false},
    {"ChariotCheckInterposedOnTheLine", "5k3/9/4r4/9/3r5/9/R8/9/9/3K5", false, false},
    {"ChariotCheckerCaptured", "5k3/9/4r4/9/R2r5/9/9/9/9/3K5", false, false},
    // Chariot on (4,5), general on (4,9): the ray runs on to (4,10).
    {"RayThroughGeneralCoversTheSquareBehind", "5k3/9/9/9/3r5/9/9/9/3K1p3/9", true, false},
    {"GeneralTakesUndefendedChecker", "5k3/9/9/9/9/9/9/9/3r5/3K1p3", false, false},
    {"GeneralCannotTakeDefendedChecker", "5k3/9/9/9/9/9/9/5n3/3r5/3K1p3", true, false},
    // Horse (5,8) checks over the leg (5,9); the elephant (7,7) could block the
    // leg, but the leg is not a marked square.
    {"HorseLegBlockNotTried", "5k3/9/9/9/9/9/6B2/4n4/r8/3K1p3", true, false},
    {"HorseCheckerCaptured", "5k3/9/9/9/9/9/9/4n3R/r8/3K1p3", false, false},
    // COM cannon (4,5) over the MAN soldier (4,7): only the cannon is marked.
    {"ComCannonBlockNotTried", "5k3/9/9/9/3c5/9/3P5/R8/9/3K1p3", true, false},
    {"ComCannonCaptured", "5k3/9/9/9/R2c5/9/3P5/9/9/3K1p3", false, false},
    // MAN cannon (4,6) over the COM soldier (4,4): only the empty squares
    // between are marked.
    {"ManCannonCaptureNotTried", "3k1P3/9/9/3p5/9/r2C5/9/9/9/4K4", false, true},
    {"ManCannonBlockedOnEmptySquare", "3k1P3/9/r8/3p5/9/3C5/9/9/9/4K4", false, false},
    {"ComGeneralStepsAside", "3k5/9/9/9/3R5/9/9/9/9/5K3", false, false},
    {"ComGeneralWithoutEscape", "3k1P3/9/9/9/3R5/9/9/9/9/5K3", false, true},
    // The advisor's block on (5,2) fails (it opens rank 1 to the chariot on
    // (9,1)); the horse's block on (5,3) still counts, though the failed trial
    // marked only rank 1.
    {"DefenceAfterAFailedTrialStillCounts", "4ka2R/9/2N6/6n2/4R4/9/9/9/9/3K5", false, false},
};

class MateTable : public ::testing::TestWithParam<MateCase> {};

TEST_P(MateTable, Entry) {
    const MateCase& c = GetParam();
    Engine engine;
    load_settled(engine, c.fen);
    engine.待避_移動前盤();
    EXPECT_EQ(engine.詰めかMAN(), c.manMated ? FlagOn : FlagOff) << "MAN";
    EXPECT_EQ(engine.詰めかCOM(), c.comMated ? FlagOn : FlagOff) << "COM";
}

INSTANTIATE_TEST_SUITE_P(Mate, MateTable, ::testing::ValuesIn(MateCases),
                         [](const auto& row) { return std::string(row.param.name); });

// The caller surveys again before it reads the tables.
TEST(Mate, ComMateTestLeavesTheTablesOfItsLastTrial) {
    Engine engine;
    load_settled(engine, "4ka2R/9/2N6/6n2/4R4/9/9/9/9/3K5");
    engine.待避_移動前盤();
    ASSERT_GT(engine.man_influence()[5][1], 0);
    ASSERT_EQ(engine.詰めかCOM(), FlagOff);
    EXPECT_EQ(engine.man_influence()[5][1], 0);  // the horse's block on (5,3)
    EXPECT_EQ(engine.com_general_check()[5][4], 0);
}

TEST(Mate, ComPieceReachesTheManGeneral) {
    Engine engine;
    load_fen(engine, "5k3/9/9/9/3r5/9/9/9/9/3K5");
    EXPECT_EQ(engine.詰めかMAN_COM移動(), FlagOn);
    load_fen(engine, "5k3/9/9/9/3r5/9/3P5/9/9/3K5");
    EXPECT_EQ(engine.詰めかMAN_COM移動(), FlagOff);
}

}  // namespace
}  // namespace zenko::testing
