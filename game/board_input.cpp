// Board clicks: choosing a piece, choosing its destination, playing the move
// and passing the turn; and the click made while no game is running.
#include "rules/standard_rules.h"
#include "ui/form1.h"

namespace zenko {

void Form1::Form_MouseDown(int button, int shift, double X, double Y) {
    (void)button, (void)shift;
    if (computer_thinking()) {  // the engine is choosing the computer's move
        platform.sound.dsPlay(sounds().SoundForbidden);
        return;
    }
    end_hint();
    hide_record_panel();
    if (play_.Turn == NoGame) {
        click_outside_game();
        return;
    }
    const GridSquare square = square_at(X, Y);
    if (!square.on_board()) return;
    if (selection_.SelectState == 0)
        choose_piece(square.x, square.y);
    else
        choose_destination(square.x, square.y);
}

bool Form1::belongs_to_mover(int code) const {
    return (play_.Turn == play_.ManSide && code <= -1) || (play_.Turn == play_.ComSide && code >= 1);
}

bool Form1::belongs_to_opponent(int code) const {
    return (play_.Turn == play_.ManSide && code >= 1) || (play_.Turn == play_.ComSide && code <= -1);
}

void Form1::measure_move_seconds() {
    clock_.MoveSeconds = 調査_経過秒(clock_.TurnStartTime, platform.clock.seconds_since_midnight());
}

void Form1::choose_piece(int x, int y) {
    const int piece = engine_.piece_at(x, y);
    if (piece == PieceEmpty) return;
    erase_last_move_marks();  // the computer's last destination loses its yellow outline
    selection_.SelectState = 1;
    消去_移動可能桝色();
    selection_.from_x() = x;
    selection_.from_y() = y;
    selection_.moving_piece() = piece;
    描画_移動可能桝色(x, y, GuidanceColor(), piece);
    // An opponent's piece may be inspected (white) but never moved.
    if (belongs_to_mover(piece))
        描画_桝輪郭(ColorLightRed, x, y);
    else if (belongs_to_opponent(piece))
        描画_桝輪郭(ColorWhite, x, y);
}

void Form1::choose_destination(int x, int y) {
    selection_.to_x() = x;
    selection_.to_y() = y;
    selection_.SelectState = 0;
    const int fromX = selection_.from_x(), fromY = selection_.from_y(), piece = selection_.moving_piece();
    描画_絵(piece, fromX, fromY);
    描画_罫線(LineColor, fromX, fromY);
    消去_移動可能桝色();
    if (belongs_to_opponent(engine_.piece_at(fromX, fromY)) ||
        engine_.移動チェック(fromX, fromY, x, y, piece) == FlagOff ||
        (play_.StandardRules && !standard_legal(engine_, fromX, fromY, x, y))) {
        reselect_after_refusal(x, y);
        return;
    }
    play_move();
}

// A destination that cannot be played becomes the new selection: silently
// for one's own piece, with the forbidden sound for an empty square or an
// opponent's piece.
void Form1::reselect_after_refusal(int x, int y) {
    const int piece = engine_.piece_at(x, y);
    selection_.from_x() = x;
    selection_.from_y() = y;
    selection_.moving_piece() = piece;
    if (piece == PieceEmpty) {
        platform.sound.dsPlay(sounds().SoundForbidden);
        return;
    }
    selection_.SelectState = 1;
    描画_移動可能桝色(x, y, GuidanceColor(), piece);
    if (belongs_to_mover(piece)) {
        描画_桝輪郭(ColorLightRed, x, y);
    } else {
        platform.sound.dsPlay(sounds().SoundForbidden);
        描画_桝輪郭(ColorWhite, x, y);
    }
}

void Form1::play_move() {
    const int fromX = selection_.from_x(), fromY = selection_.from_y();
    const int toX = selection_.to_x(), toY = selection_.to_y(), piece = selection_.moving_piece();
    measure_move_seconds();
    // The time goes to the clock of the side that moved; in a game between two
    // people the top pieces are moved by mouse too.
    const bool topMoved = piece >= 1;
    手順保存(fromX, fromY, toX, toY, piece, piece, clock_.ManTime,
             clock_.ManTime + (topMoved ? 0 : clock_.MoveSeconds), clock_.ComTime,
             clock_.ComTime + (topMoved ? clock_.MoveSeconds : 0));
    count_move();
    selection_.SelectState = 0;
    消去_移動可能桝色();
    const int captured = engine_.piece_at(toX, toY);
    駒移動(fromX, fromY, toX, toY, piece);
    mark_last_move_start(fromX, fromY);
    platform.sound.dsPlay(sounds().SoundPiece);
    描画_移動結果(topMoved ? play_.ComSide : play_.ManSide, toX, toY, piece, MoveTextColor);
    if (play_.GameMode == ModeVsCom)
        after_move_vs_com(captured);
    else if (play_.GameMode == ModeVsMan)
        after_move_vs_man(captured);
}

void Form1::after_move_vs_com(int captured) {
    clock_.Timer1.Enabled = false;
    clock_.ManTime += clock_.MoveSeconds;
    if (play_.StandardRules) {
        if (judge_standard_position(false)) return;
        play_.Turn = play_.ComSide;
        keep_game();
        com_ban();
        return;
    }
    // A computer that can take the person's general has not lost, even
    // without a move that keeps its own general safe.
    if (captured == ComGeneral || (!engine_.has_safe_move(true) && !engine_.general_attacked(false))) {
        終了("あなた");
        return;
    }
    play_.Turn = play_.ComSide;
    keep_game();  // the person's move stays kept while the computer thinks
    com_ban();
}

// Two people: only the capture of a general ends the game (先手 holds the
// bottom pieces); check and mate are not announced.
void Form1::after_move_vs_man(int captured) {
    if (captured == ComGeneral) {
        終了("先手");
        return;
    }
    if (captured == ManGeneral) {
        終了("後手");
        return;
    }
    if (play_.Turn == FirstPlayer) {
        play_.Turn = SecondPlayer;
        clock_.ManTime += clock_.MoveSeconds;
    } else if (play_.Turn == SecondPlayer) {
        play_.Turn = FirstPlayer;
        clock_.ComTime += clock_.MoveSeconds;
    }
    clock_.TurnStartTime = platform.clock.seconds_since_midnight();
    engine_.勢力調査();
    keep_game();
    if (play_.StandardRules) judge_standard_position(play_.Turn == play_.ManSide);
}

void Form1::click_outside_game() {
    Dialogs& dialogs = platform.dialogs;
    if (history().RecordMode == FlagOn) {
        if (dialogs.message_box("棋譜を '進 'で進めて下さい", "棋譜", Buttons::YesNo) == Answer::No) {
            platform.sound.dsPlay(sounds().SoundForbidden);
            初期設定();
            keep_game();
        }
        return;
    }
    if (!has_game_to_resume()) {
        platform.sound.dsPlay(sounds().SoundForbidden);
        dialogs.message_box("「対局」で始めて下さい", "開始", Buttons::OK);
        return;
    }
    if (dialogs.message_box("OKですか？", "再開", Buttons::OKCancel) == Answer::Cancel) return;
    resume_game();
}

// A game can go on from a recorded position of a game that was played (not
// a loaded record) while both generals are still on the board.
bool Form1::has_game_to_resume() const {
    if (history().HistoryPos == 0 || history().HistoryOrigin.mode == NoGame) return false;
    const Square com = engine_.com_general(), man = engine_.man_general();
    return engine_.piece_at(com.x, com.y) == ComGeneral && engine_.piece_at(man.x, man.y) == ManGeneral;
}

// Goes on in the mode the game was played, from the position on the board.
void Form1::resume_game() {
    const HistoryState& h = history();
    play_.GameMode = h.HistoryOrigin.mode;
    play_.GameOver = false;
    play_.ManSide = h.HistoryOrigin.manSide;
    play_.ComSide = h.HistoryOrigin.comSide;
    start_turn_clock();
    // The next recorded move tells whose turn it is; with none recorded the
    // side that did not make the last move is to move.
    const bool nextRecorded = h.HistoryPos < h.HistoryLen;
    const bool comToMove =
        nextRecorded ? h.MoveHistory[h.HistoryPos + 1].placed >= 1 : h.MoveHistory[h.HistoryPos].placed <= -1;
    if (!comToMove) {
        play_.Turn = play_.ManSide;
        keep_game();
        return;
    }
    play_.Turn = play_.ComSide;
    keep_game();
    if (play_.GameMode == ModeVsCom) {
        com_ban();
    }
}

// The armies changed sides of the board, so the one that did not make the
// last move moves next; against the computer, that may be the computer.
void Form1::pass_turn_to_other_army() {
    PlayState& p = play_;
    if (p.Turn == NoGame) return;
    p.Turn = p.Turn == p.ManSide ? p.ComSide : p.ManSide;
    clock_.TurnStartTime = platform.clock.seconds_since_midnight();
    if (p.GameMode == ModeVsCom && p.Turn == p.ComSide) {
        com_ban();
    } else if (p.GameMode == ModeVsCom) {
        engine_.勢力調査();
    }
}

void Form1::suspend_turn() { play_.Turn = NoGame; }

void Form1::drop_selection() { selection_.SelectState = 0; }

void Form1::forget_computer_mark() {
    selection_.ComMarkX = 0;
    selection_.FromMarkX = 0;
}

void Form1::mark_last_move_start(int x, int y) {
    selection_.FromMarkX = x;
    selection_.FromMarkY = y;
    draw_square_corners(ColorYellow, x, y);
}

// Each marked square is drawn afresh, which removes its mark.
void Form1::erase_last_move_marks() {
    SelectionState& s = selection_;
    for (const Square square : {Square{s.ComMarkX, s.ComMarkY}, Square{s.FromMarkX, s.FromMarkY}}) {
        if (!on_board(square.x, square.y)) continue;
        描画_絵(engine_.piece_at(square.x, square.y), square.x, square.y);
        描画_罫線(LineColor, square.x, square.y);
    }
    forget_computer_mark();
}

void Form1::reset_sides() {
    play_.ComSide = FirstPlayer;
    play_.ManSide = SecondPlayer;
}

}  // namespace zenko
