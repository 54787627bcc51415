// Texts printed on the window: where, how big, in which colour, and with
// which shadow; the coded texts; the handicap refusal box.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes.h"

namespace zenko {
namespace {

using testing::DrawCall;
using testing::FormFixture;
using Prints = std::vector<std::string>;

// One printed text as "x,y text size/colour", x and y in twips.
std::string print(double gx, double gy, const std::string& text, int size, int colour, int dx = 0,
                  int dy = 0) {
    return std::to_string(grid_to_twips_x(gx) + dx) + "," + std::to_string(grid_to_twips_y(gy) + dy) + " " +
           text + " " + std::to_string(size) + "/" + std::to_string(colour);
}
Prints prints(const testing::RecordingCanvas& canvas) {
    Prints out;
    for (const DrawCall& c : canvas.of_kind(DrawCall::Text))
        out.push_back(std::to_string(c.x1) + "," + std::to_string(c.y1) + " " + c.text + " " +
                      std::to_string(c.pointSize) + "/" + std::to_string(c.colour));
    return out;
}
const int B = ColorBlack, W = ColorWhite, Y = ColorYellow;

TEST(WindowText, NumbersCarryBlanksAndKanjiStyleCoversOneToTen) {
    FormFixture f;
    for (double v : {9.0, -3.0, 0.0, 100.0, 2.5}) f.form.描画_数値(1, 1, v, W, 0, 12);
    for (double v : {1.0, 10.0, 0.0, 11.0, 2.5}) f.form.描画_数値(1, 1, v, W, 1, 12);
    f.form.描画_数値(1, 1, std::string("00:01:02"), W, 0, 12);
    EXPECT_EQ(f.canvas.texts(), (Prints{" 9 ", "-3 ", " 0 ", " 100 ", " 2.5 ", "一", "十", "00:01:02"}));
}

TEST(WindowText, LabelsReadNineToOneAboveAndKanjiRightInBold) {
    FormFixture f;
    f.form.use_background(BackgroundGreen);
    f.form.描画_桝_数値();
    EXPECT_TRUE(f.form.text_state().FontBold);
    const Prints all = prints(f.canvas);
    ASSERT_EQ(all.size(), 38u);
    EXPECT_EQ(
        (Prints{all[0], all[1], all[16], all[17], all[18], all[19], all[37]}),
        (Prints{print(1.2, 0.5, " 9 ", 16, B), print(1.1, 0.4, " 9 ", 16, Y), print(9.2, 0.5, " 1 ", 16, B),
                print(9.1, 0.4, " 1 ", 16, Y), print(10.2, 1.4, "一", 12, B), print(10.1, 1.3, "一", 12, Y),
                print(10.1, 10.3, "十", 12, Y)}));
    for (const DrawCall& t : f.canvas.of_kind(DrawCall::Text)) EXPECT_TRUE(t.bold);
    // A tile of the background under each label, first above column 1.
    const auto tiles = f.canvas.of_kind(DrawCall::Picture);
    ASSERT_EQ(tiles.size(), 19u);
    EXPECT_EQ(tiles[0].code, BackgroundGreen);
    EXPECT_EQ(tiles[0].x1, grid_to_twips_x(1));
    EXPECT_EQ(tiles[0].y1, grid_to_twips_y(0));
}

TEST(WindowText, MoveTextErasesItsOwnRowAndNamesColumnRowAndPiece) {
    FormFixture f;
    f.form.描画_移動結果(f.form.play().ComSide, 5, 3, ComElephant, MoveTextColor);
    EXPECT_EQ(prints(f.canvas), (Prints{print(11.5, 6.2, "５", 12, B), print(11.4, 6.1, "５", 12, W),
                                        print(11.9, 6.2, "三", 12, B), print(11.8, 6.1, "三", 12, W),
                                        print(12.5, 6.2, "象", 12, B), print(12.4, 6.1, "象", 12, W)}));
    const auto tiles = f.canvas.of_kind(DrawCall::Picture);
    ASSERT_EQ(tiles.size(), 3u);
    EXPECT_EQ(f.canvas.calls[0].kind, DrawCall::Picture);  // erased before printing
    EXPECT_EQ(tiles[2].x1, grid_to_twips_x(13));
    EXPECT_EQ(tiles[2].y1, grid_to_twips_y(6));

    f.canvas.clear();
    f.form.描画_移動結果(f.form.play().ManSide, 3, 7, ManChariot, MoveTextColor);
    // The digit is the label above column 3, not the column's number.
    EXPECT_EQ(f.canvas.texts(), (Prints{"７", "７", "七", "七", "車", "車"}));
    EXPECT_EQ(f.canvas.calls[0].y1, grid_to_twips_y(8));
    f.canvas.clear();
    f.form.描画_移動結果(NoGame, 3, 7, ManChariot, MoveTextColor);
    EXPECT_TRUE(f.canvas.calls.empty());
}

TEST(WindowText, MoveCountShiftsLeftPerDigitWhileTheSuffixStays) {
    const struct {
        int n;
        double gx;
        const char* text;
    } rows[] = {{9, 11.2, " 9 "}, {10, 11.1, " 10 "}, {100, 11.0, " 100 "}};
    for (const auto& r : rows) {
        FormFixture f;
        f.form.描画_手数(r.n, Y);  // the colour argument is ignored
        EXPECT_EQ(f.canvas.of_kind(DrawCall::Picture).size(), 2u);
        EXPECT_EQ(
            prints(f.canvas),
            (Prints{print(r.gx + 0.1, 3.4, r.text, 12, B), print(r.gx, 3.3, r.text, 12, W),
                    print(11.9, 3.2, "手目", 10, B, 120, 160), print(11.8, 3.1, "手目", 10, W, 120, 160)}));
    }
}

TEST(WindowText, LevelPrintsCaptionAndNumberWithoutErasing) {
    FormFixture f;
    f.form.描画_レベル(3);
    EXPECT_EQ(prints(f.canvas), (Prints{print(-0.5, 0.2, "LEVEL", 10, B), print(-0.6, 0.1, "LEVEL", 10, W),
                                        print(0.6, 0.18, " 3 ", 12, B), print(0.5, 0.08, " 3 ", 12, W)}));
    EXPECT_TRUE(f.canvas.of_kind(DrawCall::Picture).empty());
}

TEST(WindowText, CodeTablesCharacterForCharacter) {
    FormFixture f;
    const int converted[] = {11, 19, 21, 30, 1,  2,  3, 4,  5,  6,  7, -1,
                             -2, -3, -4, -5, -6, -7, 0, 10, 20, 31, -8};
    Prints texts;
    for (int code : converted) texts.push_back(f.form.文字列変換(code));
    EXPECT_EQ(texts, (Prints{"１", "９", "一", "十", "卒", "士", "砲", "象", "車", "馬", "将", "兵",
                             "仕", "炮", "相", "車", "馬", "師", "",   "",   "",   "",   ""}));
    for (int code : {-10, -9, -3, -2, -1, 0, 7, 8, 10, 99, 11, -11})
        f.form.描画_文字列(11.1, 2.1, code, B, 10);
    EXPECT_EQ(f.canvas.texts(), (Prints{"ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２段",
                                        "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:１級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級",
                                        "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:９級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:10級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:12級", "手目"}));
    // An unknown code prints nothing but still sets place, size and colour.
    f.form.描画_文字列(2, 3, 11, Y, 14);
    EXPECT_EQ(
        std::vector<double>({f.form.text_state().CurrentX, f.form.text_state().CurrentY,
                             double(f.form.text_state().FontSize), double(f.form.text_state().ForeColor)}),
        std::vector<double>({1730, 1930, 14, Y}));
}

TEST(WindowText, HandicapRefusalBoxes) {
    const struct {
        int kind;
        const char* text;
    } rows[] = {{1, "棋譜ﾓｰﾄﾞではできません\n\n局面→最初にして下さい"},
                {2, "対局途中ではできません\n\n局面→最初にして下さい"},
                {3, "反転後ではできません\n\n局面→最初にして下さい"},
                {5, "\n\n局面→最初にして下さい"}};
    for (const auto& r : rows) {
        FormFixture f;
        f.form.描画_メッセージ(r.kind);
        ASSERT_EQ(f.dialogs.shown.size(), 1u);
        EXPECT_EQ(f.dialogs.shown[0].text, r.text);
        EXPECT_EQ(f.dialogs.shown[0].title, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定");
        EXPECT_EQ(f.dialogs.shown[0].buttons, Buttons::OK);
    }
}

}  // namespace
}  // namespace zenko
