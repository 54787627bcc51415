// Handicap steps: which pieces go and come back, the grade captions, and the
// refusals once a game or record is under way or the board is turned.
#include <gtest/gtest.h>

#include <ostream>

#include "fakes.h"

namespace zenko {
namespace {

// The squares emptied by △ steps 1..10 (COM) and ▽ steps 1..10 (MAN).
constexpr int ComSquares[10][2] = {{6, 1}, {4, 1}, {7, 1}, {3, 1}, {8, 1},
                                   {2, 1}, {9, 1}, {1, 1}, {8, 3}, {2, 3}};
constexpr int ManSquares[10][2] = {{4, 10}, {6, 10}, {3, 10}, {7, 10}, {2, 10},
                                   {8, 10}, {1, 10}, {9, 10}, {2, 8},  {8, 8}};

class Handicap : public ::testing::Test {
protected:
    testing::FormFixture f;
    Form1& form = f.form;
    BoardArray start{};

    void SetUp() override {
        testing::open_sounds(form, f.sound);
        form.初期設定();
        start = form.engine().board();
    }
    // Every square holds its starting piece except the first `missing` of `squares`, which are empty.
    void expect_missing(const int (*squares)[2], int missing) {
        for (int step = 0; step < 10; ++step) {
            auto [x, y] = squares[step];
            EXPECT_EQ(form.engine().piece_at(x, y), step < missing ? PieceEmpty : start[x][y])
                << "step " << step + 1;
        }
    }
    std::string last_caption() { return f.canvas.texts().back(); }
};

TEST_F(Handicap, TenStepsUpTakeTheComPiecesInOrderAndAnEleventhOnlySetsTheFlag) {
    for (int level = 1; level <= 10; ++level) {
        form.LBEL_UP_Click();
        expect_missing(ComSquares, level);
    }
    EXPECT_EQ(last_caption(), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:12級");
    EXPECT_EQ(f.sound.count("dsPlay", form.sounds().SoundPiece), 10);
    f.canvas.clear();
    form.LBEL_UP_Click();
    EXPECT_EQ(form.handicap().HandicapLevel, 10);
    EXPECT_EQ(form.handicap().HandicapSet, FlagOn);
    EXPECT_TRUE(f.canvas.calls.empty());
    expect_missing(ComSquares, 10);
}

TEST_F(Handicap, StepsDownTakeManPiecesAndStepsUpGiveThemBack) {
    form.LEBEL_DOWN_Click();
    EXPECT_EQ(last_caption(), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:１級");
    for (int i = 0; i < 9; ++i) form.LEBEL_DOWN_Click();
    expect_missing(ManSquares, 10);
    EXPECT_EQ(last_caption(), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人");
    for (int level = -9; level <= 0; ++level) {
        form.LBEL_UP_Click();
        expect_missing(ManSquares, -level);
    }
}

TEST_F(Handicap, UpThenDownRestoresTheAdvisorButKeepsSavingRefused) {
    // A game kept after 最初 is dropped by the first step.
    form.START_Click();
    testing::click_square(form, 1, 7);
    testing::click_square(form, 1, 6);
    form.CANCEL_Click();
    ASSERT_EQ(form.history().HistoryLen, 1);
    form.LBEL_UP_Click();
    EXPECT_EQ(form.history().HistoryLen, 0);
    form.LEBEL_DOWN_Click();
    EXPECT_EQ(form.engine().piece_at(6, 1), ComAdvisor);
    EXPECT_EQ(form.handicap().HandicapLevel, 0);
    EXPECT_EQ(last_caption(), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級");
    form.KIFU_WRITE_Click();
    f.panel.texts[PanelControl::Text1] = "x";
    form.Command1_Click();  // as a .棋譜
    EXPECT_EQ(f.dialogs.shown.back().text, "ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません");
}

TEST_F(Handicap, ReversingAtLevelThreeLeavesTheManPiecesOfThoseStepsMissing) {
    for (int i = 0; i < 3; ++i) form.LBEL_UP_Click();
    form.REVERSE_Click();
    EXPECT_EQ(form.handicap().HandicapLevel, -3);
    expect_missing(ManSquares, 3);
}

// 反転 refuses △, advising 最初: after a turned game 最初 brings back its
// start, the full set, on which △ works again.
TEST_F(Handicap, AfterATurnedGameTheAdviceToGoBackToTheStartWorks) {
    form.START_Click();
    testing::click_square(form, 3, 7);
    testing::click_square(form, 3, 6);
    form.REVERSE_Click();
    form.CANCEL_Click();
    f.dialogs.shown.clear();
    form.LBEL_UP_Click();
    EXPECT_TRUE(f.dialogs.shown.empty());
    EXPECT_EQ(form.handicap().HandicapLevel, 1);
    expect_missing(ComSquares, 1);
}

struct Refusal {
    const char* name;
    void (*arrange)(testing::FormFixture&);
    const char* message;
};

void step_into_a_loaded_record(testing::FormFixture& f) {
    testing::load_record(f.form, f.panel, f.dialogs);
    f.form.AFTER_Click();
}

// The board turned before the game, and a move played on it: both refusals apply.
void move_on_the_reversed_board(testing::FormFixture& f) {
    f.form.START_Click();
    f.form.REVERSE_Click();
    testing::click_square(f.form, 9, 4);  // the turned bottom soldier, now a top piece to move
    testing::click_square(f.form, 9, 5);
}

void reverse_the_board(testing::FormFixture& f) {
    f.form.START_Click();
    f.form.REVERSE_Click();
}
// Test names and failure reports show the row by its name.
void PrintTo(const Refusal& row, std::ostream* out) { *out << row.name; }

class HandicapRefusals : public Handicap, public ::testing::WithParamInterface<Refusal> {};

TEST_P(HandicapRefusals, PlayTheForbiddenSoundAndChangeNothing) {
    const Refusal& r = GetParam();
    r.arrange(f);
    const BoardArray before = form.engine().board();
    const int historyLen = form.history().HistoryLen;
    f.dialogs.shown.clear();
    f.sound.clear();
    form.LBEL_UP_Click();
    form.LEBEL_DOWN_Click();
    ASSERT_EQ(f.dialogs.shown.size(), 2u);
    for (const auto& box : f.dialogs.shown) {
        EXPECT_EQ(box.text.substr(0, std::string(r.message).size()), r.message);
        EXPECT_EQ(box.title, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定");
    }
    EXPECT_EQ(f.sound.count("dsPlay", form.sounds().SoundForbidden), 2);
    EXPECT_EQ(std::make_tuple(form.handicap().HandicapLevel, form.handicap().HandicapSet,
                              form.history().HistoryLen),
              std::make_tuple(0, FlagOff, historyLen));
    EXPECT_EQ(form.engine().board(), before);
}

INSTANTIATE_TEST_SUITE_P(
    InOrder, HandicapRefusals,
    ::testing::Values(Refusal{"record_loaded_first", step_into_a_loaded_record, "棋譜ﾓｰﾄﾞではできません"},
                      Refusal{"game_under_way", move_on_the_reversed_board, "対局途中ではできません"},
                      Refusal{"board_reversed", reverse_the_board, "反転後ではできません"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace zenko
