// The 対局 menu (starting games, ending the program), move guidance and the
// end of a game.
#include "ui/form1.h"

namespace zenko {

namespace {
// A game started inside a history: the army that made the last move on the
// board does not move again.
constexpr const char* ComputerStartsText = "下の駒が指したところなので、ｺﾝﾋﾟｭｰﾀが先に指します";
constexpr const char* PersonStartsText = "上の駒が指したところなので、あなたが先に指します";
constexpr const char* SecondStartsText = "先手が指したところなので、後手の番です";
// A position set up with the top army to move.
constexpr const char* ComputerToMoveText = "上の駒の番なので、ｺﾝﾋﾟｭｰﾀが先に指します";
constexpr const char* TopToMoveText = "上の駒の番です";
// The board shows a start whose top army is to move first.
bool top_moves_first_from_start(const HistoryState& h) {
    return h.HistoryPos == 0 && h.HistoryOrigin.topMovesFirst;
}

}  // namespace

void Form1::START_Click() {
    stop_engine_search();
    CHUUSHI_Click();  // a new game ends a review under way
    // The background tiles cover the computer-level caption left of the board.
    erase_tiles(-2, 0, 0);
    play_.ManSide = FirstPlayer;
    play_.ComSide = SecondPlayer;
    play_.Turn = play_.ManSide;
    play_.GameMode = ModeVsMan;
    adopt_rules();
    selection_.SelectState = 0;
    // A game of two people is no longer a loaded record being stepped through;
    // otherwise a later click after 戻 would offer to discard it.
    leave_record_mode();
    const bool secondStarts = army_of_last_move() == BottomArmy;
    if (secondStarts) play_.Turn = play_.ComSide;
    const char* text = !secondStarts                           ? "先手の番です"
                       : top_moves_first_from_start(history()) ? TopToMoveText
                                                               : SecondStartsText;
    platform.dialogs.message_box(text, " ", Buttons::OK);
    start_turn_clock();
    play_.GameOver = false;
    keep_game();
}

// Both sides of a game against the computer start the same way: the first
// player is to move and the clock runs whatever the 経過時間 option.
void Form1::start_game_against_computer(Side personSide) {
    CHUUSHI_Click();  // a new game ends a review under way
    selection_.SelectState = 0;
    play_.ManSide = personSide;
    play_.ComSide = personSide == FirstPlayer ? SecondPlayer : FirstPlayer;
    play_.Turn = FirstPlayer;
    play_.GameMode = ModeVsCom;
    play_.GameOver = false;
    adopt_rules();
    leave_record_mode();
    clock_.Timer1.Enabled = true;
    keep_game();
}

void Form1::SENTE_Click() {
    stop_engine_search();
    描画_レベル(chosen_level());
    if (army_of_last_move() == BottomArmy) {
        start_game_against_computer(FirstPlayer);
        let_other_army_start(top_moves_first_from_start(history()) ? ComputerToMoveText : ComputerStartsText,
                             play_.ComSide);
        return;
    }
    platform.dialogs.message_box("あなたの番です", " ", Buttons::OK);
    start_game_against_computer(FirstPlayer);
    clock_.TurnStartTime = platform.clock.seconds_since_midnight();
}

void Form1::GOTE_Click() {
    stop_engine_search();
    描画_レベル(chosen_level());
    start_game_against_computer(SecondPlayer);
    if (army_of_last_move() == TopArmy) {
        let_other_army_start(PersonStartsText, play_.ManSide);
        return;
    }
    com_ban();
}

void Form1::let_other_army_start(const std::string& message, Side firstSide) {
    platform.dialogs.message_box(message, " ", Buttons::OK);
    play_.Turn = firstSide;
    clock_.TurnStartTime = platform.clock.seconds_since_midnight();
    keep_game();
    if (play_.GameMode == ModeVsCom && firstSide == play_.ComSide) com_ban();
}

// A game starts under the rules 標準ルール says now (a change during a game
// applies from the next one); a game played on from a loaded record, under
// the rules the record was played by.
void Form1::adopt_rules() {
    const HistoryState& h = history();
    play_.StandardRules = h.RecordMode == FlagOn ? h.Notes.StandardRules : options().HYOUJUN.Checked;
    play_.CheckedArmy = NoArmy;
    draw_rules_caption();
}

void Form1::TAIKYOKU_Click() { hide_record_panel(); }

void Form1::MATCH_MAN_Click() {}

void Form1::OWARI_Click() { 処理_終了(); }

void Form1::SIDOU_Click() {
    if (options().SIDOU.Checked) 消去_移動可能桝色();
    set_guidance(!options().SIDOU.Checked);
    書込_環境設定ファイル();
}

// The finished game is kept before anything is asked: whatever the answer,
// it can be opened as a record at the next start.
void Form1::終了(const std::string& winner) { announce_end(winner + "の勝ちです"); }

void Form1::announce_end(const std::string& text) {
    play_.GameOver = true;
    keep_game();
    Dialogs& dialogs = platform.dialogs;
    dialogs.message_box(text, "終了", Buttons::OK);
    if (dialogs.message_box("続けますか？", "再ゲーム", Buttons::YesNo) == Answer::Yes) {
        初期設定();
        keep_game();
    } else {
        処理_終了();
    }
}

}  // namespace zenko
