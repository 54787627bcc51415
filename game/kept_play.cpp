// A kept game put back on the board: its game, sides, turn, clocks, level
// and position, and the computer's move when it was the computer's turn.
#include "record/saved_game.h"
#include "ui/form1.h"

namespace zenko {

void Form1::restore_play(const SavedGame& game) {
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y) engine_.put_piece(x, y, game.board[x][y]);
    play_ = PlayState{game.turn, game.manSide, game.comSide,      game.gameMode,
                      false,     game.level,   game.standardRules};
    clock_.ManTime = game.manTime;
    clock_.ComTime = game.comTime;
    clock_.ShownSeconds = 0;
    clock_.TurnStartTime = platform.clock.seconds_since_midnight();
    clock_.Timer1.Enabled = game.turn != NoGame && options().KEIKA.Checked;
    selection_.SelectState = 0;
    selection_.ComMarkX = game.comMarkX;
    selection_.ComMarkY = game.comMarkY;
    // The computer's last move, whose destination is marked, had its start
    // square marked too.
    selection_.FromMarkX = 0;
    const int last = game.historyPos;
    if (game.comMarkX != 0 && last >= 1 && last <= static_cast<int>(game.moves.size())) {
        const MoveRecord& move = game.moves[static_cast<std::size_t>(last - 1)];
        if (move.toX == game.comMarkX && move.toY == game.comMarkY) {
            selection_.FromMarkX = move.fromX;
            selection_.FromMarkY = move.fromY;
        }
    }
    forget_guidance_outlines();
}

void Form1::continue_restored_game() {
    if (play_.Turn == NoGame || play_.GameMode != ModeVsCom) return;
    if (play_.Turn == play_.ComSide) {
        com_ban();
    } else {
        engine_.勢力調査();
    }
}

}  // namespace zenko
