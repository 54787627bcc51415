// The move history and stepping through it: 戻, 進, 最初, 反転, and the
// 局面 menu.
#include "ui/form1.h"

namespace zenko {

void Form1::手順保存(int fromX, int fromY, int toX, int toY, int piece, int placed, double manTimeBefore,
                     double manTimeAfter, double comTimeBefore, double comTimeAfter) {
    if (HistoryPos == 0) note_history_start();
    // A resume goes on in the game of the latest move, even when a new game
    // was started from a position in the middle of the history.
    HistoryOrigin.mode = GameMode;
    HistoryOrigin.manSide = ManSide;
    HistoryOrigin.comSide = ComSide;
    ++HistoryPos;
    const int n = HistoryPos;
    // A game longer than the history so far makes room instead of being cut off.
    if (n >= static_cast<int>(MoveHistory.size())) MoveHistory.resize(n + 1);
    MoveRecord& entry = MoveHistory[n];
    entry = {fromX,       fromY,  toX,           toY,          engine.piece_at(toX, toY),
             piece,       placed, manTimeBefore, manTimeAfter, comTimeBefore,
             comTimeAfter};
    HistoryLen = HistoryPos;  // a move played after 戻 drops the moves beyond it
}

void Form1::note_history_start() {
    HistoryOrigin = {engine.board(), Reversed, HandicapSet, HandicapLevel, GameMode, ManSide, ComSide};
}

void Form1::restore_history_start() {
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y) engine.put_piece(x, y, HistoryOrigin.board[x][y]);
    Reversed = HistoryOrigin.reversed;
    HandicapSet = HistoryOrigin.handicapSet;
    HandicapLevel = HistoryOrigin.handicapLevel;
}

bool Form1::history_starts_from_full_set() const {
    Engine fullSet;
    fullSet.初期配置();
    return HistoryOrigin.reversed == FlagOff && HistoryOrigin.handicapSet == FlagOff &&
           HistoryOrigin.board == fullSet.board();
}

void Form1::hide_record_panel() {
    描画_可視(false, false, false);
    描画_棋譜_IO(1);
}

void Form1::STOP_Click() { hide_record_panel(); }

// Stepping through the history drops the selection, stops the clock and
// removes the guidance outlines.
void Form1::stop_play_for_navigation() {
    SelectState = 0;
    Timer1.Enabled = false;
    消去_移動可能桝色();
}

void Form1::REPLAY_Click() {
    hide_record_panel();
    if (HistoryPos < 1) {
        platform.sound.dsPlay(SoundForbidden);
        platform.dialogs.message_box("できません", "戻る", Buttons::OK);
        return;
    }
    stop_play_for_navigation();

    const MoveRecord e = MoveHistory[HistoryPos];
    engine.take_back(e.fromX, e.fromY, e.toX, e.toY, e.piece, e.captured);
    描画_絵(e.piece, e.fromX, e.fromY);
    描画_罫線(LineColor, e.fromX, e.fromY);
    ComTime = e.comTimeBefore;
    描画_所有時間(ComSide, ComTime);
    ManTime = e.manTimeBefore;
    描画_所有時間(ManSide, ManTime);
    描画_絵(PieceEmpty, e.toX, e.toY);
    描画_罫線(LineColor, e.toX, e.toY);
    if (e.captured != PieceEmpty) {
        描画_絵(e.captured, e.toX, e.toY);
        描画_罫線(LineColor, e.toX, e.toY);
    }
    platform.sound.dsPlay(SoundPiece);
    消去_移動結果(e.piece > 0 ? ComSide : ManSide);

    Turn = NoGame;  // suspended until a click resumes it
    --HistoryPos;
    --MoveNumber;
    描画_手数(MoveNumber);
}

void Form1::AFTER_Click() {
    hide_record_panel();
    if (HistoryPos >= HistoryLen) {
        if (RecordMode == FlagOn) {
            platform.dialogs.message_box("終わり", "進む", Buttons::OK);
        } else {
            platform.sound.dsPlay(SoundForbidden);
            platform.dialogs.message_box("できません", "進む", Buttons::OK);
        }
        return;
    }
    stop_play_for_navigation();

    ++HistoryPos;
    ++MoveNumber;
    描画_手数(MoveNumber);
    const MoveRecord e = MoveHistory[HistoryPos];
    engine.駒移動(e.fromX, e.fromY, e.toX, e.toY, e.placed);
    描画_絵(PieceEmpty, e.fromX, e.fromY);
    描画_罫線(LineColor, e.fromX, e.fromY);
    ComTime = e.comTimeAfter;
    描画_所有時間(ComSide, ComTime);
    ManTime = e.manTimeAfter;
    描画_所有時間(ManSide, ManTime);
    描画_絵(e.placed, e.toX, e.toY);
    描画_罫線(LineColor, e.toX, e.toY);
    platform.sound.dsPlay(SoundPiece);
    描画_移動結果(e.placed > 0 ? ComSide : ManSide, e.toX, e.toY, e.placed, MoveTextColor);

    Turn = NoGame;
    描画_手数(MoveNumber);
}

// Back to the position the history starts from (a handicap set-up or a
// turned board included), keeping the recorded moves for 進.
void Form1::CANCEL_Click() {
    reset_to_full_set();
    if (HistoryLen > 0) restore_history_start();
    画面_再描画();
    platform.sound.dsPlay(SoundPiece);
}

void Form1::REVERSE_Click() {
    if (RecordMode == FlagOn) {
        platform.sound.dsPlay(SoundForbidden);
        platform.dialogs.message_box("棋譜ﾓｰﾄﾞではできません", "反転", Buttons::OK);
        return;
    }
    Reversed = FlagOn;
    SelectState = 0;

    // Turn the board half round; each piece changes sides with its kind kept.
    engine.反転();

    画面_再描画();
    描画_手数(MoveNumber);
    if (HandicapSet == FlagOn) {
        HandicapLevel = -HandicapLevel;
        描画_ハンデレベル(HandicapLevel);
    }
    platform.sound.dsPlay(SoundPiece);
    // The recorded moves no longer fit the turned board; the next move starts
    // a history from it.
    HistoryPos = 0;
    HistoryLen = 0;
    ComMarkX = 0;
    pass_turn_to_other_army();
}

// The armies changed sides of the board, so the one that did not make the
// last move moves next; against the computer, that may be the computer.
void Form1::pass_turn_to_other_army() {
    if (Turn == NoGame) return;
    Turn = Turn == ManSide ? ComSide : ManSide;
    TurnStartTime = platform.clock.seconds_since_midnight();
    if (GameMode == ModeVsCom && Turn == ComSide) {
        engine.待避_移動前盤();
        com_ban();
    } else if (GameMode == ModeVsCom) {
        engine.勢力調査();
    }
}

}  // namespace zenko
