// What the window itself keeps: the print position, font and colour of its
// text, the squares outlined by the move guidance, and whether the program
// has ended. Written only by the procedures of ui/.
#pragma once

#include "rules/types.h"
#include "ui/presentation.h"

namespace zenko {

// The window's current print position (twips), font and text colour.
struct TextState {
    double CurrentX = 0, CurrentY = 0;
    int FontSize = 9;
    bool FontBold = false;
    int ForeColor = ColorBlack;
};

// A move text right of the board as last drawn.
struct ShownMove {
    bool shown = false;
    int x = 0, y = 0, piece = 0, colour = 0;
};

// The texts beside the board since the last full repaint, so that a
// background change can draw them again.
struct ShownTexts {
    int moveCount = -1;  // -1: no move count shown
    ShownMove comMove, manMove;
    bool recordHeaders = false;
};

struct ScreenState {
    SquareTable<int> MovableSquares{};  // FlagOn: outlined by the guidance
    bool Terminated = false;            // set by 処理_終了; the shell then closes the window
    ShownTexts Shown;
};

}  // namespace zenko
