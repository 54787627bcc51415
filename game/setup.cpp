// A fresh game position, and a move played on the board with its repaint.
#include "ui/form1.h"

namespace zenko {

void Form1::初期設定() {
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

    画面_再描画();
}

void Form1::駒移動(int fromX, int fromY, int toX, int toY, int piece) {
    engine.駒移動(fromX, fromY, toX, toY, piece);
    描画_絵(PieceEmpty, fromX, fromY);
    描画_罫線(LineColor, fromX, fromY);
    描画_絵(piece, toX, toY);
    描画_罫線(LineColor, toX, toY);
}

}  // namespace zenko
