// A fresh game position, and a move played on the board with its repaint.
#include "ui/form1.h"

namespace zenko {

// A new game starts from the full set. A history that started elsewhere (a
// handicap set-up, a turned board) cannot be replayed onto it, and such a
// game can never be saved, so its moves go with the old game.
void Form1::初期設定() {
    reset_to_full_set();
    if (HistoryLen > 0 && !history_starts_from_full_set()) HistoryLen = 0;
    画面_再描画();
}

void Form1::reset_to_full_set() {
    // Game state: no game, nothing selected, the history back at its start
    // (its entries and HistoryLen are kept so that 進 can replay them).
    SelectState = 0;
    HandicapLevel = 0;
    RecordMode = FlagOff;
    HandicapSet = FlagOff;
    GameMode = NoGame;
    Turn = NoGame;
    HistoryPos = 0;
    MoveNumber = 0;
    Reversed = FlagOff;

    Timer1.Enabled = false;
    ComTime = 0;
    ManTime = 0;
    ShownSeconds = 0;

    ComMarkX = 0;

    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y) MovableSquares[x][y] = FlagOff;
    engine.初期配置();
}

void Form1::駒移動(int fromX, int fromY, int toX, int toY, int piece) {
    engine.駒移動(fromX, fromY, toX, toY, piece);
    描画_絵(PieceEmpty, fromX, fromY);
    描画_罫線(LineColor, fromX, fromY);
    描画_絵(piece, toX, toY);
    描画_罫線(LineColor, toX, toY);
}

}  // namespace zenko
