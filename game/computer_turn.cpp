// The computer's turn around the engine's search, and the computer level.
#include "game/paused_search.h"
#include "ui/form1.h"

namespace zenko {

namespace {

// Ticks the clock once per board column, so that the display advances while
// the computer thinks (no timer event can run during the search).
class ClockDuringSearch : public SearchObserver {
public:
    explicit ClockDuringSearch(Form1& form) : form_(form) {}
    void column_started(int) override { form_.Timer1_Timer(); }

private:
    Form1& form_;
};

}  // namespace

void Form1::com_ban() {
    start_turn_clock();
    show_thinking_notice();
    platform.canvas.refresh();  // the notice must show during the search
    // At an engine level the answer comes later, as an event.
    if (is_engine_level(play_.Level)) {
        ask_engine_for_computer_move();
        return;
    }

    ClockDuringSearch ticker(*this);
    const SearchResult best = engine_.start_computer_turn({play_.Level, play_.StandardRules}, &ticker);
    if (!best.found) {  // no legal move left: the computer has lost
        終了("あなた");
        return;
    }
    play_computer_move(best);
}

void Form1::show_thinking_notice() {
    erase_tiles(11, 13, 6);
    描画_数値(11.6, 6.2, "思考中", ColorBlack, 0, 12);
    描画_数値(11.5, 6.1, "思考中", MoveTextColor, 0, 12);
}

void Form1::play_computer_move(const SearchResult& move) {
    const int fromX = move.fromX, fromY = move.fromY, toX = move.toX, toY = move.toY, piece = move.piece;
    measure_move_seconds();
    手順保存(fromX, fromY, toX, toY, piece, piece, clock_.ManTime, clock_.ManTime, clock_.ComTime,
             clock_.ComTime + clock_.MoveSeconds);
    count_move();
    erase_last_move_marks();  // the person's start square loses its corners
    駒移動(fromX, fromY, toX, toY, piece);
    platform.sound.dsPlay(sounds().SoundPiece);
    clock_.Timer1.Enabled = false;
    描画_移動結果(play_.ComSide, toX, toY, piece, ColorWhite);
    engine_.勢力調査();

    // Taking the general ends the game whatever the mate test says about a
    // board that no longer holds it.
    if (move.captured == ManGeneral) {
        終了("ｺﾝﾋﾟｭｰﾀ");
        return;
    }
    if (play_.StandardRules) {
        hand_turn_back(fromX, fromY, toX, toY);
        judge_standard_position(true);
        return;
    }
    if (!engine_.has_safe_move(false))
        platform.dialogs.message_box("被将死 ?（Bei Jiang si）", "詰め？", Buttons::OK);
    else if (engine_.general_attacked(false))
        platform.dialogs.message_box("   ** 将(Jiang) **", "王手", Buttons::OK);

    hand_turn_back(fromX, fromY, toX, toY);
}

// The computer's move marked (its destination outlined, its start
// cornered), its time charged, the person to move.
void Form1::hand_turn_back(int fromX, int fromY, int toX, int toY) {
    selection_.ComMarkX = toX;
    selection_.ComMarkY = toY;
    描画_桝輪郭(ColorYellow, toX, toY);
    mark_last_move_start(fromX, fromY);
    clock_.ComTime += clock_.MoveSeconds;
    play_.Turn = play_.ManSide;
    start_turn_clock();
    keep_game();
}

// A search under way stops, and the computer starts again at the new
// level. A value that is no level changes nothing: the check marks show the
// level in force, so they cannot be left all unchecked.
void Form1::レベル_設定(int level) {
    const PausedSearch paused(*this);
    if (level >= 1 && level <= LastEngineLevel) play_.Level = level;
    if (play_.GameMode == ModeVsCom) 描画_レベル(chosen_level());
    keep_game();
}

// The level caption stands on the three tiles left of the board's top row.
void Form1::LEVEL1_Click() {
    erase_tiles(-2, 0, 0);
    レベル_設定(1);
}

void Form1::LEVEL2_Click() {
    erase_tiles(-2, 0, 0);
    レベル_設定(2);
}

void Form1::LEVEL3_Click() {
    erase_tiles(-2, 0, 0);
    レベル_設定(3);
}

}  // namespace zenko
