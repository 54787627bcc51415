// The ruled lines of the board, drawn square by square so that any square
// can be repainted alone: an edge-or-cross shape chosen from the square's
// place, palace diagonals on the ten palace squares, and on an occupied
// square only the short stubs the piece picture leaves visible.
#include <array>
#include <climits>

#include "ui/form1.h"

namespace zenko {

namespace {

// One line in square-local twips, from (u1, v1) to (u2, v2).
struct Segment {
    int u1, v1, u2, v2;
};

// The straight lines cross at (300, 300) and reach 20 twips into the next
// square (the pitch is 580); the bottom stub is 60 long, the others 50.
constexpr Segment FullHorizontal{0, 300, 600, 300};
constexpr Segment FullVertical{300, 0, 300, 600};
constexpr Segment LeftHalf{0, 300, 300, 300};
constexpr Segment RightHalf{300, 300, 600, 300};
constexpr Segment UpperHalf{300, 0, 300, 300};
constexpr Segment LowerHalf{300, 300, 300, 600};
constexpr Segment LeftStub{0, 300, 50, 300};
constexpr Segment RightStub{550, 300, 600, 300};
constexpr Segment TopStub{300, 0, 300, 50};
constexpr Segment BottomStub{300, 540, 300, 600};

// The diagonals leave the cell's centre (290, 290), not the crossing, and end
// exactly at its corner, so the pieces of neighbouring palace squares join.
constexpr int CentreU = SquareWidth / 2, CentreV = SquareHeight / 2;
constexpr Segment UpLeftEmpty{CentreU, CentreV, 0, 0};
constexpr Segment UpLeftOccupied{110, 110, 0, 0};
constexpr Segment UpRightEmpty{CentreU, CentreV, SquareWidth, 0};
constexpr Segment UpRightOccupied{470, 130, SquareWidth, 0};
constexpr Segment DownLeftEmpty{CentreU, CentreV, 0, SquareHeight};
constexpr Segment DownLeftOccupied{110, 460, 0, SquareHeight};
constexpr Segment DownRightEmpty{CentreU, CentreV, SquareWidth, SquareHeight};
constexpr Segment DownRightOccupied{460, 460, SquareWidth, SquareHeight};

// The lines of one shape on an empty and on an occupied square, drawn in
// this order; unused places are null.
struct Shape {
    std::array<const Segment*, 4> empty, occupied;
};

//                              empty square                    occupied square
constexpr Shape Cross{{&FullHorizontal, &FullVertical}, {&RightStub, &LeftStub, &TopStub, &BottomStub}};
constexpr Shape TopEdge{{&FullHorizontal, &LowerHalf}, {&BottomStub, &RightStub, &LeftStub}};
constexpr Shape BottomEdge{{&FullHorizontal, &UpperHalf}, {&TopStub, &RightStub, &LeftStub}};
constexpr Shape LeftEdge{{&RightHalf, &FullVertical}, {&TopStub, &BottomStub, &RightStub}};
constexpr Shape RightEdge{{&LeftHalf, &FullVertical}, {&TopStub, &BottomStub, &LeftStub}};
constexpr Shape TopLeftCorner{{&RightHalf, &LowerHalf}, {&RightStub, &BottomStub}};
constexpr Shape TopRightCorner{{&LeftHalf, &LowerHalf}, {&LeftStub, &BottomStub}};
constexpr Shape BottomLeftCorner{{&RightHalf, &UpperHalf}, {&RightStub, &TopStub}};
constexpr Shape BottomRightCorner{{&LeftHalf, &UpperHalf}, {&LeftStub, &TopStub}};

bool occupied(const Form1& form, int x, int y) { return form.engine().piece_at(x, y) != PieceEmpty; }

void draw_segment(Canvas& canvas, const Segment& s, int colour, int x, int y) {
    const int left = grid_to_twips_x(x), top = grid_to_twips_y(y);
    canvas.draw_line(left + s.u1, top + s.v1, left + s.u2, top + s.v2, colour);
}

void draw_shape(const Form1& form, Canvas& canvas, const Shape& shape, int colour, int x, int y) {
    for (const Segment* s : occupied(form, x, y) ? shape.occupied : shape.empty)
        if (s) draw_segment(canvas, *s, colour, x, y);
}

using Procedure = void (Form1::*)(int colour, int x, int y);
constexpr Procedure 十字 = &Form1::描画_罫線_十字;
constexpr Procedure 上 = &Form1::描画_罫線_上;
constexpr Procedure 下 = &Form1::描画_罫線_下;
constexpr Procedure 左 = &Form1::描画_罫線_左;
constexpr Procedure 右 = &Form1::描画_罫線_右;
constexpr Procedure 左上 = &Form1::描画_罫線_左上;
constexpr Procedure 右上 = &Form1::描画_罫線_右上;
constexpr Procedure 左下 = &Form1::描画_罫線_左下;
constexpr Procedure 右下 = &Form1::描画_罫線_右下;
constexpr Procedure 斜左上 = &Form1::描画_罫線_斜左上;
constexpr Procedure 斜右上 = &Form1::描画_罫線_斜右上;
constexpr Procedure 斜左下 = &Form1::描画_罫線_斜左下;
constexpr Procedure 斜右下 = &Form1::描画_罫線_斜右下;

// A row applies to columns xFrom..xTo on row1 or row2 (AnyRow: every row).
// The rows are tried in order and the first match is drawn, its procedures
// called left to right. Rows 5 and 6 take edge shapes, so no line crosses
// the river, not even on the outer files.
constexpr int AnyRow = INT_MIN;
constexpr int AnyColumnFrom = INT_MIN, AnyColumnTo = INT_MAX;
struct ShapeRule {
    int xFrom, xTo, row1, row2;
    std::array<Procedure, 5> procedures;
};
constexpr ShapeRule ShapeRules[] = {
    {4, 4, 1, 1, {上, 斜右下}},
    {6, 6, 1, 1, {上, 斜左下}},
    {5, 5, 2, 2, {十字, 斜右上, 斜右下, 斜左上, 斜左下}},
    {4, 4, 3, 3, {十字, 斜右上}},
    {6, 6, 3, 3, {十字, 斜左上}},
    {4, 4, 10, 10, {下, 斜右上}},
    {6, 6, 10, 10, {下, 斜左上}},
    {5, 5, 9, 9, {十字, 斜右上, 斜右下, 斜左上, 斜左下}},
    {4, 4, 8, 8, {十字, 斜右下}},
    {6, 6, 8, 8, {十字, 斜左下}},
    {1, 1, 1, 6, {左上}},
    {1, 1, 5, 10, {左下}},
    {9, 9, 1, 6, {右上}},
    {9, 9, 5, 10, {右下}},
    {2, 9, 1, 6, {上}},
    {2, 9, 5, 10, {下}},
    {9, 9, AnyRow, AnyRow, {右}},
    {1, 1, AnyRow, AnyRow, {左}},
    {AnyColumnFrom, AnyColumnTo, AnyRow, AnyRow, {十字}},
};

bool applies(const ShapeRule& rule, int x, int y) {
    if (x < rule.xFrom || x > rule.xTo) return false;
    return rule.row1 == AnyRow || y == rule.row1 || y == rule.row2;
}

}  // namespace

void Form1::描画_罫線(int colour, int x, int y) {
    for (const ShapeRule& rule : ShapeRules) {
        if (!applies(rule, x, y)) continue;
        for (Procedure draw : rule.procedures)
            if (draw) (this->*draw)(colour, x, y);
        return;
    }
}

void Form1::描画_罫線_十字(int colour, int x, int y) {
    draw_shape(*this, platform.canvas, Cross, colour, x, y);
}
void Form1::描画_罫線_上(int colour, int x, int y) {
    draw_shape(*this, platform.canvas, TopEdge, colour, x, y);
}
void Form1::描画_罫線_下(int colour, int x, int y) {
    draw_shape(*this, platform.canvas, BottomEdge, colour, x, y);
}
void Form1::描画_罫線_左(int colour, int x, int y) {
    draw_shape(*this, platform.canvas, LeftEdge, colour, x, y);
}
void Form1::描画_罫線_右(int colour, int x, int y) {
    draw_shape(*this, platform.canvas, RightEdge, colour, x, y);
}
void Form1::描画_罫線_左上(int colour, int x, int y) {
    draw_shape(*this, platform.canvas, TopLeftCorner, colour, x, y);
}
void Form1::描画_罫線_右上(int colour, int x, int y) {
    draw_shape(*this, platform.canvas, TopRightCorner, colour, x, y);
}
void Form1::描画_罫線_左下(int colour, int x, int y) {
    draw_shape(*this, platform.canvas, BottomLeftCorner, colour, x, y);
}
void Form1::描画_罫線_右下(int colour, int x, int y) {
    draw_shape(*this, platform.canvas, BottomRightCorner, colour, x, y);
}

void Form1::描画_罫線_斜左上(int colour, int x, int y) {
    if (occupied(*this, x, y))
        描画_罫線_斜左上有(colour, x, y);
    else
        描画_罫線_斜左上無(colour, x, y);
}
void Form1::描画_罫線_斜右上(int colour, int x, int y) {
    if (occupied(*this, x, y))
        描画_罫線_斜右上有(colour, x, y);
    else
        描画_罫線_斜右上無(colour, x, y);
}
void Form1::描画_罫線_斜左下(int colour, int x, int y) {
    if (occupied(*this, x, y))
        描画_罫線_斜左下有(colour, x, y);
    else
        描画_罫線_斜左下無(colour, x, y);
}
void Form1::描画_罫線_斜右下(int colour, int x, int y) {
    if (occupied(*this, x, y))
        描画_罫線_斜右下有(colour, x, y);
    else
        描画_罫線_斜右下無(colour, x, y);
}

void Form1::描画_罫線_横全(int colour, int x, int y) {
    draw_segment(platform.canvas, FullHorizontal, colour, x, y);
}
void Form1::描画_罫線_縦全(int colour, int x, int y) {
    draw_segment(platform.canvas, FullVertical, colour, x, y);
}
void Form1::描画_罫線_横左(int colour, int x, int y) {
    draw_segment(platform.canvas, LeftStub, colour, x, y);
}
void Form1::描画_罫線_横右(int colour, int x, int y) {
    draw_segment(platform.canvas, RightStub, colour, x, y);
}
void Form1::描画_罫線_縦上(int colour, int x, int y) { draw_segment(platform.canvas, TopStub, colour, x, y); }
void Form1::描画_罫線_縦下(int colour, int x, int y) {
    draw_segment(platform.canvas, BottomStub, colour, x, y);
}
void Form1::描画_罫線_斜左上無(int colour, int x, int y) {
    draw_segment(platform.canvas, UpLeftEmpty, colour, x, y);
}
void Form1::描画_罫線_斜左上有(int colour, int x, int y) {
    draw_segment(platform.canvas, UpLeftOccupied, colour, x, y);
}
void Form1::描画_罫線_斜右上無(int colour, int x, int y) {
    draw_segment(platform.canvas, UpRightEmpty, colour, x, y);
}
void Form1::描画_罫線_斜右上有(int colour, int x, int y) {
    draw_segment(platform.canvas, UpRightOccupied, colour, x, y);
}
void Form1::描画_罫線_斜左下無(int colour, int x, int y) {
    draw_segment(platform.canvas, DownLeftEmpty, colour, x, y);
}
void Form1::描画_罫線_斜左下有(int colour, int x, int y) {
    draw_segment(platform.canvas, DownLeftOccupied, colour, x, y);
}
void Form1::描画_罫線_斜右下無(int colour, int x, int y) {
    draw_segment(platform.canvas, DownRightEmpty, colour, x, y);
}
void Form1::描画_罫線_斜右下有(int colour, int x, int y) {
    draw_segment(platform.canvas, DownRightOccupied, colour, x, y);
}

}  // namespace zenko
