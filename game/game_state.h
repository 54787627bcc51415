// The state of the game flow: whose game and whose turn, the selection on
// the board and the thinking clock. Written only by the procedures of game/;
// the other subsystems read it through Form1's const views.
#pragma once

#include <optional>

#include "game/uci_client.h"
#include "rules/types.h"

namespace zenko {

// Whose game is played, whose turn it is, and the computer's level.
struct PlayState {
    Side Turn = NoGame;
    Side ManSide = SecondPlayer;
    Side ComSide = FirstPlayer;
    int GameMode = NoGame;
    bool GameOver = false;  // from the end of a game until the next one starts
    // LEVEL1-3 the game's own search, LEVEL4-6 the engine. The menu's check
    // marks and the caption beside the board show it; nothing else holds it.
    int Level = 3;
    // The game is played by the standard rules of Xiangqi (標準ルール, as it
    // was when the game started).
    bool StandardRules = false;
    // The army whose general the check shown beside the board is against
    // (TopArmy, BottomArmy), NoArmy when none is shown.
    int CheckedArmy = 0;
};

// The piece being moved and the computer's last destination.
struct SelectionState {
    int SelectState = 0;
    int MoveWork[9]{};  // slots 3..6 and 8: the move being assembled
    int& from_x() { return MoveWork[3]; }
    int& from_y() { return MoveWork[4]; }
    int& to_x() { return MoveWork[5]; }
    int& to_y() { return MoveWork[6]; }
    int& moving_piece() { return MoveWork[8]; }
    int ComMarkX = 0, ComMarkY = 0;
    int FromMarkX = 0, FromMarkY = 0;  // the last move's start square; FromMarkX 0: none
};

struct TimerControl {
    bool Enabled = false;
};

// The engine levels and ヒント: what the engine is thinking about, the hint
// outlined on the board, and whether the player was told the engine failed.
struct EngineTurnState {
    enum class Question { None, ComputerMove, Hint };
    Question asked = Question::None;
    std::optional<EngineAnswer> HeldAnswer;  // came while a box was open
    bool FallbackTold = false;
    bool EngineUnusable = false;  // it never became ready: treated as not found from then on
    int HintFromX = 0, HintFromY = 0, HintToX = 0, HintToY = 0;  // HintFromX 0: no hint shown
};

// Each side's thinking time and the timing of the current turn.
struct ClockState {
    TimerControl Timer1;
    double ManTime = 0, ComTime = 0, TurnStartTime = 0, MoveSeconds = 0;
    int ShownSeconds = 0;
};

}  // namespace zenko
