// A fresh game position, and a move played on the board with its repaint.
#include "ui/form1.h"

namespace zenko {

// A new game starts from the full set. A history that started elsewhere (a
// handicap set-up, turned or not) cannot be replayed onto it, and such a
// game can never be saved, so its moves go with the old game.
void Form1::初期設定() {
    reset_to_full_set();
    if (history().HistoryLen > 0 && !history_starts_from_full_set()) clear_history();
    画面_再描画();
}

void Form1::reset_to_full_set() {
    // Game state: no game, nothing selected, the history back at its start
    // (its entries and HistoryLen are kept so that 進 can replay them).
    selection_.SelectState = 0;
    clear_handicap();
    play_.GameMode = NoGame;
    play_.Turn = NoGame;
    rewind_history();

    clock_.Timer1.Enabled = false;
    clock_.ComTime = 0;
    clock_.ManTime = 0;
    clock_.ShownSeconds = 0;

    forget_computer_mark();
    play_.CheckedArmy = NoArmy;

    forget_guidance_outlines();
    engine_.初期配置();
}

void Form1::駒移動(int fromX, int fromY, int toX, int toY, int piece) {
    engine_.駒移動(fromX, fromY, toX, toY, piece);
    描画_絵(PieceEmpty, fromX, fromY);
    描画_罫線(LineColor, fromX, fromY);
    描画_絵(piece, toX, toY);
    描画_罫線(LineColor, toX, toY);
}

}  // namespace zenko
