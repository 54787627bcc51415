// The position editor: what 完了 accepts (one row per fault), and a set-up
// position played from with the army to move as chosen.
#include <gtest/gtest.h>

#include <string>

#include "fakes.h"
#include "record/position_check.h"

namespace zenko {
namespace {

using testing::FormFixture;

BoardArray board_of(const char* fen) {
    Engine position;
    EXPECT_TRUE(position.set_fen(fen)) << fen;
    return position.board();
}

// A rook and a pawn against the lone general.
constexpr const char* RookAndPawn = "4k4/9/9/9/9/9/4P4/9/9/3K1R3";

struct CheckRow {
    const char* name;
    const char* fen;  // first rank at the top; lower case the top army
    bool topToMove;
    PositionFault fault;
    const char* text;
};

// clang-format off
const CheckRow CheckRows[] = {
    {"rook_and_pawn", RookAndPawn, false, PositionFault::None, ""},
    {"no_top_general", "9/9/9/9/9/9/9/9/9/4K4", false, PositionFault::GeneralCount, "上の将を一つ置いて下さい"},
    {"two_bottom_generals", "4k4/9/9/9/9/9/9/9/9/3KK4", false, PositionFault::GeneralCount,
     "下の師を一つ置いて下さい"},
    {"general_out_of_its_palace", "k8/9/9/9/9/9/9/9/9/4K4", false, PositionFault::GeneralOutsidePalace,
     "上の将は九宮の中に置いて下さい"},
    {"three_chariots", "4k4/9/9/9/9/9/9/9/RRR6/3K5", false, PositionFault::TooManyOfAKind, "下の車は二つまでです"},
    {"six_soldiers", "4k4/9/9/pppppp3/9/9/9/9/9/3K5", false, PositionFault::TooManyOfAKind, "上の卒は五つまでです"},
    {"advisor_off_the_diagonals", "4k4/9/9/9/9/9/9/9/3A5/3K5", false, PositionFault::AdvisorOffItsPoints,
     "下の仕は九宮の五つの点にしか置けません"},
    {"elephant_across_the_river", "4k4/9/9/9/2B6/9/9/9/9/3K5", false, PositionFault::ElephantOffItsPoints,
     "下の相は自陣の七つの点にしか置けません"},
    {"soldier_behind_its_start", "4k4/2p6/9/9/9/9/9/9/9/3K5", false, PositionFault::SoldierBehindItsStart,
     "上の卒は最初の段より後ろに置けません"},
    {"generals_facing", "4k4/9/9/9/9/9/9/9/9/4K4", false, PositionFault::GeneralsFacing,
     "将と師が間に駒のない筋で向かい合っています"},
    {"waiting_general_capturable", "3k5/9/9/9/9/9/9/9/9/4K3r", true, PositionFault::GeneralCapturable,
     "手番でない下の師が取られる形です"},
    {"general_in_check_to_move", "3k5/9/9/9/9/9/9/9/9/4K3r", false, PositionFault::None, ""},
};
// clang-format on

class PositionCheckRow : public ::testing::TestWithParam<CheckRow> {};

TEST_P(PositionCheckRow, FindsTheFaultAndSaysIt) {
    const CheckRow& row = GetParam();
    const PositionCheck check = check_position(board_of(row.fen), row.topToMove);
    EXPECT_EQ(check.fault, row.fault);
    EXPECT_EQ(check.text, row.text);
}

INSTANTIATE_TEST_SUITE_P(Positions, PositionCheckRow, ::testing::ValuesIn(CheckRows),
                         [](const auto& row) { return std::string(row.param.name); });

// 完了 puts the position on the board as the start of an empty history; 先手
// then plays from it with the army to move as chosen.
TEST(PositionEditor, ThePositionIsPlayedFromWithTheArmyToMoveAsChosen) {
    const struct {
        bool topToMove;
        const char* box;
        bool computerMoved;
    } rows[] = {{false, "あなたの番です", false}, {true, "上の駒の番なので、ｺﾝﾋﾟｭｰﾀが先に指します", true}};
    for (const auto& row : rows) {
        FormFixture f;
        f.form.初期設定();
        f.form.LEVEL1_Click();
        f.positionEditor.board = board_of(RookAndPawn);
        f.positionEditor.topToMove = row.topToMove;
        f.form.HENSYU_Click();
        EXPECT_EQ(f.form.engine().board(), board_of(RookAndPawn));
        EXPECT_EQ(f.form.history().HistoryLen, 0);
        f.form.SENTE_Click();
        ASSERT_FALSE(f.dialogs.shown.empty());
        EXPECT_EQ(f.dialogs.shown.front().text, row.box);
        EXPECT_EQ(f.form.history().HistoryLen, row.computerMoved ? 1 : 0);
        if (row.computerMoved) {
            EXPECT_EQ(f.form.history().MoveHistory[1].placed, ComGeneral) << "the top army's only piece";
        }
        EXPECT_EQ(f.form.play().Turn, f.form.play().ManSide);
    }
}

// In a game the editor does not open; cancelled, it leaves everything as it was.
TEST(PositionEditor, IsRefusedInAGameAndItsCancelChangesNothing) {
    FormFixture f;
    testing::open_sounds(f.form, f.sound);
    f.form.初期設定();
    f.form.START_Click();
    f.dialogs.shown.clear();
    f.form.HENSYU_Click();
    EXPECT_EQ(f.positionEditor.opened, 0);
    EXPECT_EQ(f.sound.count("dsPlay", f.form.sounds().SoundForbidden), 1);
    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.dialogs.shown[0].text + f.dialogs.shown[0].title, "対局途中ではできません局面編集");

    f.form.初期設定();  // no game
    const BoardArray before = f.form.engine().board();
    f.positionEditor.finish = false;
    f.form.HENSYU_Click();
    EXPECT_EQ(f.positionEditor.opened, 1);
    EXPECT_EQ(f.positionEditor.openedWith, before);
    EXPECT_EQ(f.form.engine().board(), before);
}

}  // namespace
}  // namespace zenko
