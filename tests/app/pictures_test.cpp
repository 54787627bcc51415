// Pictures, background tiles, the full redraw and the square outlines.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>

#include "fakes.h"
#include "form_test_access.h"

namespace zenko {
namespace {

using testing::DrawCall;
using testing::FormFixture;
using Place = std::pair<int, int>;

Place at(double gx, double gy) { return {grid_to_twips_x(gx), grid_to_twips_y(gy)}; }

// The picture left visible at each place: the last one painted there.
std::map<Place, int> visible(const testing::RecordingCanvas& canvas) {
    std::map<Place, int> shown;
    for (const DrawCall& c : canvas.of_kind(DrawCall::Picture)) shown[{c.x1, c.y1}] = c.code;
    return shown;
}

TEST(BoardPictures, TableCodesPaintAtTheGridCornerOthersPaintNothing) {
    FormFixture f;
    for (int code : {0, 1, 2, 3, 4, 5, 6, 7, -1, -2, -3, -4, -5, -6, -7, 11, 12, 13, 14, 15, 16}) {
        f.canvas.clear();
        f.form.描画_絵(code, 11, 0.3);
        ASSERT_EQ(f.canvas.calls.size(), 1u) << code;
        EXPECT_EQ(f.canvas.calls[0].code, code);
        EXPECT_EQ(Place(f.canvas.calls[0].x1, f.canvas.calls[0].y1), Place(6830, 204));
    }
    f.canvas.clear();
    for (int code : {8, 9, 10, 17, 99, -8}) f.form.描画_絵(code, 1, 1);
    EXPECT_TRUE(f.canvas.calls.empty());
}

TEST(BoardPictures, BackgroundTiles351PlacesIncludingRowTen) {
    FormFixture f;
    f.form.描画_背景(BackgroundBamboo);
    const auto shown = visible(f.canvas);
    EXPECT_EQ(f.canvas.calls.size(), 351u);
    EXPECT_EQ(shown.size(), 351u);
    EXPECT_FALSE(shown.count(at(1, 9)));
    EXPECT_EQ(shown.at(at(5, 10)), BackgroundBamboo);
    EXPECT_TRUE(shown.count(at(-3, -2)) && shown.count(at(20, 15)));
}

TEST(BoardPictures, FullRedrawShowsBoardOverRowTenClocksLevelAndTitleLast) {
    FormFixture f;
    FormTestAccess::engine(f.form).put_piece(5, 10, ManGeneral);
    f.form.set_clock_shown(true);
    f.form.set_clock_totals(3725.6, 61);
    f.form.画面_再描画();
    auto shown = visible(f.canvas);
    EXPECT_EQ(shown[at(5, 10)], ManGeneral);
    EXPECT_EQ(shown[at(1, 10)], PieceEmpty);
    EXPECT_EQ(shown[at(0, 10)], PieceEmpty);  // background never set: empty-square tiles
    EXPECT_EQ(f.canvas.calls.back().code, PictureTitle);
    auto texts = f.canvas.texts();
    auto com = std::find(texts.begin(), texts.end(), "00:01:01");
    EXPECT_LT(com, std::find(texts.begin(), texts.end(), "01:02:05"));
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "LEVEL"), 0);

    f.form.use_background(BackgroundBrick);
    f.form.SENTE_Click();  // a game against the computer shows its level
    f.canvas.clear();
    f.form.画面_再描画();
    EXPECT_EQ(visible(f.canvas)[at(0, 10)], BackgroundBrick);
    texts = f.canvas.texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "LEVEL"), 2);  // shadow and text
}

TEST(BoardPictures, OutlineLiesOnePixelInsideTheCell) {
    FormFixture f;
    f.form.描画_桝輪郭(ColorYellow, 2, 4);
    const DrawCall& box = f.canvas.calls.at(0);
    EXPECT_EQ(box.kind, DrawCall::Box);
    EXPECT_EQ(std::vector<int>({box.x1, box.y1, box.x2, box.y2, box.colour}),
              std::vector<int>({1625, 2365, 2175, 2915, ColorYellow}));
}

TEST(BoardPictures, GuidanceOffMarksNothing) {
    FormFixture f;
    FormTestAccess::engine(f.form).put_piece(1, 5, ManChariot);
    f.form.描画_移動可能桝色(1, 5, ColorWhite, ManChariot);
    f.form.消去_移動可能桝色();
    EXPECT_TRUE(f.canvas.calls.empty());
    EXPECT_EQ(f.form.screen().MovableSquares[1][5], FlagOff);
}

TEST(BoardPictures, GuidanceOutlinesDestinationsAndTheEraserRestoresThem) {
    FormFixture f;
    FormTestAccess::engine(f.form).put_piece(1, 5, ManChariot);
    FormTestAccess::engine(f.form).put_piece(1, 8, ComSoldier);
    FormTestAccess::engine(f.form).put_piece(4, 1, ComGeneral);  // generals on different files
    FormTestAccess::engine(f.form).put_piece(6, 10, ManGeneral);
    f.form.set_guidance(true);
    f.form.描画_移動可能桝色(1, 5, ColorWhite, ManChariot);
    // Along row 5 (8), up file 1 (4), down to the capture (3); not the selected square.
    EXPECT_EQ(f.canvas.of_kind(DrawCall::Box).size(), 15u);
    EXPECT_EQ(f.form.screen().MovableSquares[1][9], FlagOff);
    EXPECT_EQ(f.form.screen().MovableSquares[1][5], FlagOn);

    f.canvas.clear();
    f.form.消去_移動可能桝色();
    const auto shown = visible(f.canvas);
    EXPECT_EQ(shown.size(), 16u);
    EXPECT_EQ(shown.at(at(1, 8)), ComSoldier);
    // Two lines on every square, three stubs on the soldier's edge square.
    EXPECT_EQ(f.canvas.of_kind(DrawCall::Line).size(), 15u * 2 + 3u);
    EXPECT_EQ(f.form.screen().MovableSquares[1][5], FlagOff);
}

TEST(BoardPictures, GuidanceWithoutLegalMoveStillErasesTheSelectedSquare) {
    FormFixture f;
    FormTestAccess::engine(f.form).put_piece(5, 5, ManAdvisor);  // outside its palace it cannot move
    f.form.set_guidance(true);
    f.form.描画_移動可能桝色(5, 5, ColorWhite, ManAdvisor);
    EXPECT_TRUE(f.canvas.calls.empty());
    f.form.消去_移動可能桝色();
    EXPECT_EQ(visible(f.canvas), (std::map<Place, int>{{at(5, 5), ManAdvisor}}));
}

}  // namespace
}  // namespace zenko
