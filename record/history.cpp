// The move history and stepping through it: 戻, 進, 最初, 反転, and the
// 局面 menu.
#include <algorithm>

#include "game/paused_search.h"
#include "record/handicap.h"
#include "ui/form1.h"

namespace zenko {

void Form1::手順保存(int fromX, int fromY, int toX, int toY, int piece, int placed, double manTimeBefore,
                     double manTimeAfter, double comTimeBefore, double comTimeAfter) {
    if (history_.HistoryPos == 0) note_history_start();
    // A resume goes on in the game of the latest move, even when a new game
    // was started from a position in the middle of the history.
    history_.HistoryOrigin.mode = play().GameMode;
    history_.HistoryOrigin.manSide = play().ManSide;
    history_.HistoryOrigin.comSide = play().ComSide;
    ++history_.HistoryPos;
    const int n = history_.HistoryPos;
    // A game longer than the history so far makes room instead of being cut off.
    if (n >= static_cast<int>(history_.MoveHistory.size())) history_.MoveHistory.resize(n + 1);
    MoveRecord& entry = history_.MoveHistory[n];
    entry = {fromX,       fromY,  toX,           toY,          engine_.piece_at(toX, toY),
             piece,       placed, manTimeBefore, manTimeAfter, comTimeBefore,
             comTimeAfter};
    history_.HistoryLen = history_.HistoryPos;  // a move played after 戻 drops the moves beyond it
    review_history_changed(n);
    // What a loaded record said goes with its moves: the comments from the
    // move replaced on, and its names and tags with its first move.
    RecordNotes& notes = history_.Notes;
    if (static_cast<std::size_t>(n) < notes.Comments.size())
        notes.Comments.resize(static_cast<std::size_t>(n));
    if (static_cast<std::size_t>(n) < notes.Review.size()) notes.Review.resize(static_cast<std::size_t>(n));
    if (n == 1) {
        notes.Tags.clear();
        history_.RecordHeaders = {};
    }
}

// The army to move first there is kept: it is the position's, not the game's.
void Form1::note_history_start() {
    history_.HistoryOrigin = {
        engine_.board(), history_.Reversed, handicap_.HandicapSet, handicap_.HandicapLevel,
        play().GameMode, play().ManSide,    play().ComSide,        history_.HistoryOrigin.topMovesFirst};
}

// A turned start that is a set-up of its own (the full set, or a handicap
// set-up turned into the opposite grade) is no longer turned: △ and ▽ may
// change it, as the advice of their refusal after 反転 promises.
void Form1::restore_history_start() {
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y) engine_.put_piece(x, y, history_.HistoryOrigin.board[x][y]);
    history_.Reversed = history_.HistoryOrigin.reversed;
    handicap_.HandicapSet = history_.HistoryOrigin.handicapSet;
    handicap_.HandicapLevel = history_.HistoryOrigin.handicapLevel;
    if (shows_handicap_set_up(engine_.board(), handicap_.HandicapLevel)) history_.Reversed = FlagOff;
}

// A turned full set is the full set, so a turned game may start from it.
bool Form1::history_starts_from_full_set() const {
    Engine fullSet;
    fullSet.初期配置();
    return history_.HistoryOrigin.handicapSet == FlagOff && history_.HistoryOrigin.board == fullSet.board();
}

int Form1::army_of_last_move() const {
    // A start with the top army to move is as if the bottom army had just moved.
    if (history_.HistoryPos < 1) return history_.HistoryOrigin.topMovesFirst ? BottomArmy : NoArmy;
    return history_.MoveHistory[history_.HistoryPos].placed >= 1 ? TopArmy : BottomArmy;
}

void Form1::count_move() {
    ++history_.MoveNumber;
    描画_手数(history_.MoveNumber);
}

void Form1::rewind_history() {
    history_.HistoryPos = 0;
    history_.MoveNumber = 0;
    history_.RecordMode = FlagOff;
    history_.Reversed = FlagOff;
}

void Form1::clear_history() {
    history_.HistoryLen = 0;
    history_.RecordMode = FlagOff;
    history_.HistoryOrigin.topMovesFirst = false;
    history_.Notes = {};
    review_history_changed(0);
}

void Form1::take_review(const std::vector<ReviewedPosition>& review) {
    history_.Notes.Review = review;
    outline_review_best();
    keep_game();
}

void Form1::leave_record_mode() { history_.RecordMode = FlagOff; }

// A position set up outside a game (the position editor, a position read
// from a record or pasted) becomes the start of an empty history: the start
// commands then play from it, the army to move first as given.
void Form1::set_up_position(const BoardArray& board, bool topToMove) {
    stop_engine_search();
    reset_to_full_set();
    clear_history();
    history_.RecordHeaders = {};
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y) engine_.put_piece(x, y, board[x][y]);
    history_.HistoryOrigin.topMovesFirst = topToMove;
    note_history_start();
    画面_再描画();
    keep_game();
}

void Form1::hide_record_panel() {
    描画_可視(false, false, false);
    描画_棋譜_IO(1);
}

void Form1::STOP_Click() { hide_record_panel(); }

// Stepping through the history drops the selection, stops the clock and
// removes the guidance outlines and the marks of a last move no longer shown.
void Form1::stop_play_for_navigation() {
    erase_check();
    erase_hint();
    drop_selection();
    stop_clock();
    消去_移動可能桝色();
    erase_last_move_marks();
}

void Form1::REPLAY_Click() {
    const PausedSearch paused(*this);
    hide_record_panel();
    if (history_.HistoryPos < 1) {
        platform.sound.dsPlay(sounds().SoundForbidden);
        platform.dialogs.message_box("できません", "戻る", Buttons::OK);
        return;
    }
    stop_play_for_navigation();

    const MoveRecord e = history_.MoveHistory[history_.HistoryPos];
    engine_.take_back(e.fromX, e.fromY, e.toX, e.toY, e.piece, e.captured);
    描画_絵(e.piece, e.fromX, e.fromY);
    描画_罫線(LineColor, e.fromX, e.fromY);
    set_clock_totals(e.manTimeBefore, e.comTimeBefore);
    描画_所有時間(play().ComSide, clock().ComTime);
    描画_所有時間(play().ManSide, clock().ManTime);
    描画_絵(PieceEmpty, e.toX, e.toY);
    描画_罫線(LineColor, e.toX, e.toY);
    if (e.captured != PieceEmpty) {
        描画_絵(e.captured, e.toX, e.toY);
        描画_罫線(LineColor, e.toX, e.toY);
    }
    platform.sound.dsPlay(sounds().SoundPiece);
    消去_移動結果(e.piece > 0 ? play().ComSide : play().ManSide);

    suspend_turn();
    --history_.HistoryPos;
    --history_.MoveNumber;
    描画_手数(history_.MoveNumber);
    outline_review_best();
    keep_game();
}

void Form1::AFTER_Click() {
    const PausedSearch paused(*this);
    hide_record_panel();
    if (history_.HistoryPos >= history_.HistoryLen) {
        if (history_.RecordMode == FlagOn) {
            platform.dialogs.message_box("終わり", "進む", Buttons::OK);
        } else {
            platform.sound.dsPlay(sounds().SoundForbidden);
            platform.dialogs.message_box("できません", "進む", Buttons::OK);
        }
        return;
    }
    stop_play_for_navigation();

    ++history_.HistoryPos;
    ++history_.MoveNumber;
    描画_手数(history_.MoveNumber);
    const MoveRecord e = history_.MoveHistory[history_.HistoryPos];
    engine_.駒移動(e.fromX, e.fromY, e.toX, e.toY, e.placed);
    描画_絵(PieceEmpty, e.fromX, e.fromY);
    描画_罫線(LineColor, e.fromX, e.fromY);
    set_clock_totals(e.manTimeAfter, e.comTimeAfter);
    描画_所有時間(play().ComSide, clock().ComTime);
    描画_所有時間(play().ManSide, clock().ManTime);
    描画_絵(e.placed, e.toX, e.toY);
    描画_罫線(LineColor, e.toX, e.toY);
    platform.sound.dsPlay(sounds().SoundPiece);
    描画_移動結果(e.placed > 0 ? play().ComSide : play().ManSide, e.toX, e.toY, e.placed, MoveTextColor);

    suspend_turn();
    描画_手数(history_.MoveNumber);
    outline_review_best();
    keep_game();
}

// The steps are made on the board and the clocks first; then each square a
// step touched is drawn once, and the move texts are left as the steps
// would leave them: a step back erases the text of the army whose move it
// takes back, a step forward shows its move in its army's row.
void Form1::go_to_ply(int ply) {
    const PausedSearch paused(*this);
    hide_record_panel();
    HistoryState& h = history_;
    if (ply < 0 || ply > h.HistoryLen || ply == h.HistoryPos) return;
    stop_play_for_navigation();

    SquareTable<bool> touched{};
    const auto touch = [&](const MoveRecord& e) { touched[e.fromX][e.fromY] = touched[e.toX][e.toY] = true; };
    const int from = h.HistoryPos;
    bool topStepped = false, bottomStepped = false;
    while (h.HistoryPos > ply) {
        const MoveRecord& e = h.MoveHistory[static_cast<std::size_t>(h.HistoryPos--)];
        engine_.take_back(e.fromX, e.fromY, e.toX, e.toY, e.piece, e.captured);
        set_clock_totals(e.manTimeBefore, e.comTimeBefore);
        touch(e);
        (e.piece > 0 ? topStepped : bottomStepped) = true;
    }
    while (h.HistoryPos < ply) {
        const MoveRecord& e = h.MoveHistory[static_cast<std::size_t>(++h.HistoryPos)];
        engine_.駒移動(e.fromX, e.fromY, e.toX, e.toY, e.placed);
        set_clock_totals(e.manTimeAfter, e.comTimeAfter);
        touch(e);
    }
    h.MoveNumber += ply - from;

    for (int x = 1; x <= BoardFiles; ++x) {
        for (int y = 1; y <= BoardRanks; ++y) {
            if (!touched[x][y]) continue;
            描画_絵(engine_.piece_at(x, y), x, y);
            描画_罫線(LineColor, x, y);
        }
    }
    描画_所有時間(play().ComSide, clock().ComTime);
    描画_所有時間(play().ManSide, clock().ManTime);
    platform.sound.dsPlay(sounds().SoundPiece);
    if (ply < from) {
        if (topStepped) 消去_移動結果(play().ComSide);
        if (bottomStepped) 消去_移動結果(play().ManSide);
    } else {
        // Each army's latest move of the steps, the earlier one first.
        int latestTop = 0, latestBottom = 0;
        for (int n = from + 1; n <= ply; ++n)
            (h.MoveHistory[static_cast<std::size_t>(n)].placed > 0 ? latestTop : latestBottom) = n;
        for (const int n : {std::min(latestTop, latestBottom), std::max(latestTop, latestBottom)}) {
            if (n == 0) continue;
            const MoveRecord& e = h.MoveHistory[static_cast<std::size_t>(n)];
            描画_移動結果(e.placed > 0 ? play().ComSide : play().ManSide, e.toX, e.toY, e.placed,
                          MoveTextColor);
        }
    }

    suspend_turn();
    描画_手数(h.MoveNumber);
    outline_review_best();
    keep_game();
}

// Back to the position the history starts from (a handicap set-up or a
// turned board included), keeping the recorded moves for 進.
void Form1::CANCEL_Click() {
    const PausedSearch paused(*this);
    reset_to_full_set();
    if (history_.HistoryLen > 0) restore_history_start();
    画面_再描画();
    platform.sound.dsPlay(sounds().SoundPiece);
    keep_game();
}

void Form1::REVERSE_Click() {
    const PausedSearch paused(*this);
    if (history_.RecordMode == FlagOn) {
        platform.sound.dsPlay(sounds().SoundForbidden);
        platform.dialogs.message_box("棋譜ﾓｰﾄﾞではできません", "反転", Buttons::OK);
        return;
    }
    history_.Reversed = FlagOn;
    drop_selection();

    // Turn the board half round; each piece changes sides with its kind kept.
    engine_.反転();

    画面_再描画();
    描画_手数(history_.MoveNumber);
    if (handicap_.HandicapSet == FlagOn) {
        handicap_.HandicapLevel = -handicap_.HandicapLevel;
        描画_ハンデレベル(handicap_.HandicapLevel);
    }
    platform.sound.dsPlay(sounds().SoundPiece);
    turn_history();
    forget_computer_mark();
    pass_turn_to_other_army();
    keep_game();
}

namespace {
int turned_x(int x) { return BoardFiles + 1 - x; }
int turned_y(int y) { return BoardRanks + 1 - y; }
}  // namespace

// The clock snapshots stay as they are: they hold the totals of the clocks
// shown, which 反転 does not exchange.
void Form1::turn_history() {
    for (int n = 1; n <= history_.HistoryLen && n < static_cast<int>(history_.MoveHistory.size()); ++n) {
        MoveRecord& e = history_.MoveHistory[n];
        e.fromX = turned_x(e.fromX), e.fromY = turned_y(e.fromY);
        e.toX = turned_x(e.toX), e.toY = turned_y(e.toY);
        e.captured = -e.captured, e.piece = -e.piece, e.placed = -e.placed;
    }
    HistoryStart& origin = history_.HistoryOrigin;
    const BoardArray board = origin.board;
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y) origin.board[turned_x(x)][turned_y(y)] = -board[x][y];
    origin.reversed = origin.reversed == FlagOn ? FlagOff : FlagOn;
    if (origin.handicapSet == FlagOn) origin.handicapLevel = -origin.handicapLevel;
    // A review turns with its game: the army of negative codes, red, is the other one now.
    review_history_changed(0);
    for (ReviewedPosition& p : history_.Notes.Review) {
        p.redExpected = 1 - p.redExpected;
        for (ReviewMove& m : p.line)
            m = {turned_x(m.fromX), turned_y(m.fromY), turned_x(m.toX), turned_y(m.toY)};
    }
}

}  // namespace zenko
