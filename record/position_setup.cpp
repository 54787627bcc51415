// 局面編集: a position set up by hand becomes the start the game plays from.
#include "record/position_check.h"
#include "ui/form1.h"

namespace zenko {

namespace {
constexpr const char* DuringGameText = "対局途中ではできません";
}  // namespace

// The editor starts from the board as shown, with the army to move there.
void Form1::HENSYU_Click() {
    if (play().Turn != NoGame) {  // a game is being played, or the computer thinks
        platform.sound.dsPlay(sounds().SoundForbidden);
        platform.dialogs.message_box(DuringGameText, PositionEditorTitle, Buttons::OK);
        return;
    }
    if (platform.positionEditor == nullptr) return;
    BoardArray board = engine().board();
    bool topToMove = army_of_last_move() == BottomArmy;
    if (!platform.positionEditor->edit_position(board, topToMove)) return;
    set_up_position(board, topToMove);
}

}  // namespace zenko
