// Everything on the window that is a picture: board squares, background
// tiles, the title, and the outlines of selected and reachable squares;
// also the full redraw of the window.
#include "rules/standard_rules.h"
#include "ui/form1.h"

namespace zenko {

void Form1::erase_tiles(int firstX, int lastX, int y) {
    for (int x = firstX; x <= lastX; ++x) 描画_絵(options().Background, x, y);
}

namespace {

// The order in which a picture code is compared with the picture holders;
// the first match is painted, a code matching none paints nothing.
constexpr int PictureOrder[] = {
    PieceEmpty,      ComGeneral,      ComChariot,   ComHorse,        ComElephant,      ComSoldier,
    ComCannon,       ComAdvisor,      ManGeneral,   ManChariot,      ManHorse,         ManCannon,
    ManElephant,     ManAdvisor,      ManSoldier,   BackgroundGreen, BackgroundBamboo, BackgroundTatami,
    BackgroundSpace, BackgroundBrick, PictureTitle,
};

// The grid positions the background covers: the whole client area and more.
constexpr int BackgroundFirstX = -3, BackgroundLastX = 20;
constexpr int BackgroundFirstY = -2, BackgroundLastY = 15;

// Where the title picture stands, right of the labels above the board.
constexpr double TitleX = 11, TitleY = 0.3;

// The outline lies one pixel inside the square's cell.
constexpr int OutlineInset = 15;
// The arms of the corners that mark the last move's start square.
constexpr int CornerArm = SquareWidth / 5;

// Tiles spare columns 1..9 of rows 1..9 only: row 10 is tiled too and
// painted over when the board is drawn afterwards.
constexpr int LastUntiledRow = 9;
bool outside_board_tiles(int x, int y) { return x < 1 || x > BoardFiles || y < 1 || y > LastUntiledRow; }

}  // namespace

void Form1::描画_絵(int code, double x, double y) {
    for (int candidate : PictureOrder) {
        if (code != candidate) continue;
        platform.canvas.draw_picture(candidate, grid_to_twips_x(x), grid_to_twips_y(y));
        return;
    }
}

void Form1::描画_盤() {
    for (int x = 1; x <= BoardFiles; ++x) {
        for (int y = 1; y <= BoardRanks; ++y) {
            描画_絵(engine_.piece_at(x, y), x, y);
            描画_罫線(LineColor, x, y);
        }
    }
}

void Form1::描画_背景(int code) {
    for (int x = BackgroundFirstX; x <= BackgroundLastX; ++x)
        for (int y = BackgroundFirstY; y <= BackgroundLastY; ++y)
            if (outside_board_tiles(x, y)) 描画_絵(code, x, y);
}

void Form1::画面_再描画() {
    screen_.Shown = {};  // the background covers every text beside the board
    描画_背景(options().Background);
    描画_桝_数値();
    描画_盤();
    描画_所有時間(play().ComSide, clock().ComTime);
    描画_所有時間(play().ManSide, clock().ManTime);
    if (play().GameMode == ModeVsCom) 描画_レベル(chosen_level());
    if (handicap().HandicapSet == FlagOn) 描画_ハンデレベル(handicap().HandicapLevel);
    print_rules_caption();
    描画_絵(PictureTitle, TitleX, TitleY);
}

void Form1::redraw_with_game_texts() {
    const ShownTexts shown = screen_.Shown;
    画面_再描画();
    if (shown.moveCount >= 0) 描画_手数(shown.moveCount);
    const ShownMove& com = shown.comMove;
    if (com.shown) 描画_移動結果(play().ComSide, com.x, com.y, com.piece, com.colour);
    const ShownMove& man = shown.manMove;
    if (man.shown) 描画_移動結果(play().ManSide, man.x, man.y, man.piece, man.colour);
    if (shown.recordHeaders) draw_record_headers();
    draw_last_move_marks();
    if (play().CheckedArmy != NoArmy) show_check(play().CheckedArmy);
}

void Form1::redraw_restored_game() {
    画面_再描画();
    const HistoryState& h = history();
    if (h.HistoryLen > 0) 描画_手数(h.MoveNumber);
    // Each army's latest move up to the position on the board.
    bool topShown = false, bottomShown = false;
    for (int n = h.HistoryPos; n >= 1 && !(topShown && bottomShown); --n) {
        const MoveRecord& e = h.MoveHistory[n];
        const bool top = e.placed >= 1;
        if (top ? topShown : bottomShown) continue;
        (top ? topShown : bottomShown) = true;
        const bool byComputer = top && play().GameMode == ModeVsCom;
        描画_移動結果(top ? play().ComSide : play().ManSide, e.toX, e.toY, e.placed,
                      byComputer ? ColorWhite : MoveTextColor);
    }
    if (h.RecordMode == FlagOn) draw_record_headers();
    draw_last_move_marks();
}

void Form1::描画_桝輪郭(int colour, int x, int y) {
    const int left = grid_to_twips_x(x), top = grid_to_twips_y(y);
    platform.canvas.draw_box(left + OutlineInset, top + OutlineInset, left + SquareWidth - OutlineInset,
                             top + SquareHeight - OutlineInset, colour);
}

// The corners lie where the outline's corners would, each arm a fifth of
// the square: a lighter mark than the outline of the destination.
void Form1::draw_square_corners(int colour, int x, int y) {
    const int left = grid_to_twips_x(x) + OutlineInset, top = grid_to_twips_y(y) + OutlineInset;
    const int right = grid_to_twips_x(x) + SquareWidth - OutlineInset;
    const int bottom = grid_to_twips_y(y) + SquareHeight - OutlineInset;
    for (const int cornerX : {left, right}) {
        const int inwardX = cornerX == left ? CornerArm : -CornerArm;
        for (const int cornerY : {top, bottom}) {
            const int inwardY = cornerY == top ? CornerArm : -CornerArm;
            platform.canvas.draw_line(cornerX, cornerY, cornerX + inwardX, cornerY, colour);
            platform.canvas.draw_line(cornerX, cornerY, cornerX, cornerY + inwardY, colour);
        }
    }
}

void Form1::draw_last_move_marks() {
    if (selection().ComMarkX != 0) 描画_桝輪郭(ColorYellow, selection().ComMarkX, selection().ComMarkY);
    if (selection().FromMarkX != 0)
        draw_square_corners(ColorYellow, selection().FromMarkX, selection().FromMarkY);
}

void Form1::描画_移動可能桝色(int fromX, int fromY, int colour, int piece) {
    if (GuidanceOn() == FlagOff) return;
    forget_guidance_outlines();
    Square to[Engine::MaxDestinations];
    const int count = engine_.legal_destinations(fromX, fromY, piece, to);
    for (int i = 0; i < count; ++i) {
        // Under the standard rules only the moves that may be played.
        if (play().StandardRules && !standard_legal(engine_, fromX, fromY, to[i].x, to[i].y)) continue;
        screen_.MovableSquares[to[i].x][to[i].y] = FlagOn;
        描画_桝輪郭(colour, to[i].x, to[i].y);
    }
    // The selected square is marked too, so the eraser removes its outline.
    screen_.MovableSquares[fromX][fromY] = FlagOn;
}

void Form1::消去_移動可能桝色() {
    for (int x = 1; x <= BoardFiles; ++x) {
        for (int y = 1; y <= BoardRanks; ++y) {
            if (screen_.MovableSquares[x][y] != FlagOn) continue;
            描画_絵(engine_.piece_at(x, y), x, y);
            描画_罫線(LineColor, x, y);
            screen_.MovableSquares[x][y] = FlagOff;
        }
    }
}

void Form1::forget_guidance_outlines() {
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y) screen_.MovableSquares[x][y] = FlagOff;
}

}  // namespace zenko
