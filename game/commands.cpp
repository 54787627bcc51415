// The 対局 menu (starting games, ending the program), move guidance and the
// end of a game.
#include "ui/form1.h"

namespace zenko {

void Form1::START_Click() {
    stop_engine_search();
    // The background tiles cover the computer-level caption left of the board.
    erase_tiles(-2, 0, 0);
    play_.ManSide = FirstPlayer;
    play_.ComSide = SecondPlayer;
    play_.Turn = play_.ManSide;
    play_.GameMode = ModeVsMan;
    selection_.SelectState = 0;
    // A game of two people is no longer a loaded record being stepped through;
    // otherwise a later click after 戻 would offer to discard it.
    leave_record_mode();
    platform.dialogs.message_box("先手の番です", " ", Buttons::OK);
    start_turn_clock();
}

// Both sides of a game against the computer start the same way: the first
// player is to move and the clock runs whatever the 経過時間 option.
void Form1::start_game_against_computer(Side personSide) {
    selection_.SelectState = 0;
    play_.ManSide = personSide;
    play_.ComSide = personSide == FirstPlayer ? SecondPlayer : FirstPlayer;
    play_.Turn = FirstPlayer;
    play_.GameMode = ModeVsCom;
    leave_record_mode();
    clock_.Timer1.Enabled = true;
}

void Form1::SENTE_Click() {
    stop_engine_search();
    描画_レベル(chosen_level());
    platform.dialogs.message_box("あなたの番です", " ", Buttons::OK);
    start_game_against_computer(FirstPlayer);
    clock_.TurnStartTime = platform.clock.seconds_since_midnight();
}

void Form1::GOTE_Click() {
    stop_engine_search();
    描画_レベル(chosen_level());
    start_game_against_computer(SecondPlayer);
    com_ban();
}

void Form1::TAIKYOKU_Click() { hide_record_panel(); }

void Form1::MATCH_MAN_Click() {}

void Form1::OWARI_Click() { 処理_終了(); }

void Form1::SIDOU_Click() {
    if (options().SIDOU.Checked) 消去_移動可能桝色();
    set_guidance(!options().SIDOU.Checked);
    書込_環境設定ファイル();
}

void Form1::終了(const std::string& winner) {
    Dialogs& dialogs = platform.dialogs;
    dialogs.message_box(winner + "の勝ちです", "終了", Buttons::OK);
    if (dialogs.message_box("続けますか？", "再ゲーム", Buttons::YesNo) == Answer::Yes)
        初期設定();
    else
        処理_終了();
}

}  // namespace zenko
