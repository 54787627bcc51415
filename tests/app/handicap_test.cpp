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
        form.SoundForbidden = 2;
        form.SoundPiece = 3;
        form.初期設定();
        start = form.engine.board();
    }
    // Every square holds its starting piece except the first `missing` of `squares`, which are empty.
    void expect_missing(const int (*squares)[2], int missing) {
        for (int step = 0; step < 10; ++step) {
            auto [x, y] = squares[step];
            EXPECT_EQ(form.engine.piece_at(x, y), step < missing ? PieceEmpty : start[x][y])
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
    EXPECT_EQ(f.sound.count("dsPlay", form.SoundPiece), 10);
    form.HandicapSet = FlagOff;
    f.canvas.clear();
    form.LBEL_UP_Click();
    EXPECT_EQ(form.HandicapLevel, 10);
    EXPECT_EQ(form.HandicapSet, FlagOn);
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
    form.HistoryLen = 7;  // a game kept after 最初 is dropped by the first step
    form.LBEL_UP_Click();
    EXPECT_EQ(form.HistoryLen, 0);
    form.LEBEL_DOWN_Click();
    EXPECT_EQ(form.engine.piece_at(6, 1), ComAdvisor);
    EXPECT_EQ(form.HandicapLevel, 0);
    EXPECT_EQ(last_caption(), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級");
    form.KIFU_WRITE_Click();
    EXPECT_EQ(f.dialogs.shown.back().text, "ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません");
}

TEST_F(Handicap, ReversingAtLevelThreeLeavesTheManPiecesOfThoseStepsMissing) {
    for (int i = 0; i < 3; ++i) form.LBEL_UP_Click();
    form.REVERSE_Click();
    EXPECT_EQ(form.HandicapLevel, -3);
    expect_missing(ManSquares, 3);
}

struct Refusal {
    const char* name;
    int recordMode, historyPos, reversed;
    const char* message;
};
// Test names and failure reports show the row by its name.
void PrintTo(const Refusal& row, std::ostream* out) { *out << row.name; }

class HandicapRefusals : public Handicap, public ::testing::WithParamInterface<Refusal> {};

TEST_P(HandicapRefusals, PlayTheForbiddenSoundAndChangeNothing) {
    const Refusal& r = GetParam();
    form.RecordMode = r.recordMode;
    form.HistoryPos = r.historyPos;
    form.HistoryLen = 4;
    form.Reversed = r.reversed;
    form.LBEL_UP_Click();
    form.LEBEL_DOWN_Click();
    ASSERT_EQ(f.dialogs.shown.size(), 2u);
    for (const auto& box : f.dialogs.shown) {
        EXPECT_EQ(box.text.substr(0, std::string(r.message).size()), r.message);
        EXPECT_EQ(box.title, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定");
    }
    EXPECT_EQ(f.sound.count("dsPlay", form.SoundForbidden), 2);
    EXPECT_EQ(std::make_tuple(form.HandicapLevel, form.HandicapSet, form.HistoryLen),
              std::make_tuple(0, FlagOff, 4));
    expect_missing(ComSquares, 0);
    expect_missing(ManSquares, 0);
}

INSTANTIATE_TEST_SUITE_P(
    InOrder, HandicapRefusals,
    ::testing::Values(Refusal{"record_loaded_first", FlagOn, 1, FlagOn, "棋譜ﾓｰﾄﾞではできません"},
                      Refusal{"game_under_way", FlagOff, 1, FlagOn, "対局途中ではできません"},
                      Refusal{"board_reversed", FlagOff, 0, FlagOn, "反転後ではできません"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zenko
