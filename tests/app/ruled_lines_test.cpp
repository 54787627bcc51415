// The ruled lines drawn on single squares, and which square a click lands on.
#include <gtest/gtest.h>

#include <vector>

#include "fakes.h"
#include "form_test_access.h"

namespace zenko {
namespace {

// A line in square-local twips; the values are written out independently.
struct L {
    int u1, v1, u2, v2;
    bool operator==(const L&) const = default;
};
const L H{0, 300, 600, 300}, V{300, 0, 300, 600}, LeftH{0, 300, 300, 300}, RightH{300, 300, 600, 300},
    UpH{300, 0, 300, 300}, DownH{300, 300, 300, 600};
const L LS{0, 300, 50, 300}, RS{550, 300, 600, 300}, TS{300, 0, 300, 50}, BS{300, 540, 300, 600};
const L UL{290, 290, 0, 0}, UR{290, 290, 580, 0}, DL{290, 290, 0, 580}, DR{290, 290, 580, 580};
const L ULs{110, 110, 0, 0}, URs{470, 130, 580, 0}, DLs{110, 460, 0, 580}, DRs{460, 460, 580, 580};

TEST(RuledLines, EachSquareDrawsTheShapeOfItsPlaceInOrder) {
    const struct {
        const char* name;
        int x, y;
        bool occupied;
        std::vector<L> lines;
    } rows[] = {
        {"top_left_corner", 1, 1, false, {RightH, DownH}},
        {"top_left_corner_occupied", 1, 1, true, {RS, BS}},
        {"bottom_right_corner_occupied", 9, 10, true, {LS, TS}},
        {"river_bank_above", 3, 5, false, {H, UpH}},
        {"river_bank_below", 3, 6, false, {H, DownH}},
        {"left_border_broken_at_river", 1, 5, false, {RightH, UpH}},
        {"right_border_broken_at_river", 9, 6, true, {LS, BS}},
        {"left_edge", 1, 3, false, {RightH, V}},
        {"left_edge_occupied", 1, 3, true, {TS, BS, RS}},
        {"right_edge_occupied", 9, 8, true, {TS, BS, LS}},
        {"top_edge_occupied", 2, 1, true, {BS, RS, LS}},
        {"bottom_edge_occupied", 3, 10, true, {TS, RS, LS}},
        {"inner_cross", 3, 3, false, {H, V}},
        {"inner_cross_occupied", 3, 3, true, {RS, LS, TS, BS}},
        {"between_palace_corners", 5, 1, false, {H, DownH}},
        {"palace_corner", 4, 1, false, {H, DownH, DR}},
        {"palace_corner_occupied", 6, 10, true, {TS, RS, LS, ULs}},
        {"palace_side", 4, 3, false, {H, V, UR}},
        {"lower_palace_side", 6, 8, false, {H, V, DL}},
        {"palace_centre", 5, 2, false, {H, V, UR, DR, UL, DL}},
        {"palace_centre_occupied", 5, 9, true, {RS, LS, TS, BS, URs, DRs, ULs, DLs}},
    };
    for (const auto& row : rows) {
        testing::FormFixture f;
        FormTestAccess::engine(f.form).put_piece(row.x, row.y, row.occupied ? ComChariot : PieceEmpty);
        f.form.描画_罫線(ColorYellow, row.x, row.y);
        const int left = 450 + 580 * row.x, top = 30 + 580 * row.y;
        std::vector<L> drawn;
        for (const auto& c : f.canvas.calls) {
            EXPECT_TRUE(c.kind == testing::DrawCall::Line && c.colour == ColorYellow) << row.name;
            drawn.push_back({c.x1 - left, c.y1 - top, c.x2 - left, c.y2 - top});
        }
        EXPECT_EQ(drawn, row.lines) << row.name;
    }
}

TEST(SquareAt, MapsWindowPointsToTheCellWhoseCornerTheyFollow) {
    const struct {
        double x, y;
        int column, row;
        bool onBoard;
    } rows[] = {
        {1030, 610, 1, 1, true},   {1029, 610, 0, 1, false},   {6249, 6409, 9, 10, true},
        {6250, 610, 10, 1, false}, {1030, 6410, 1, 11, false}, {100, 20, -1, -1, false},
    };
    for (const auto& r : rows) {
        const GridSquare s = square_at(r.x, r.y);
        EXPECT_EQ(s.x, r.column) << r.x << "," << r.y;
        EXPECT_EQ(s.y, r.row) << r.x << "," << r.y;
        EXPECT_EQ(s.on_board(), r.onBoard) << r.x << "," << r.y;
    }
}

}  // namespace
}  // namespace zenko
