// Handicap levels: △ takes COM pieces away (or gives MAN pieces back), ▽
// takes MAN pieces away (or gives COM pieces back), one piece a step, before
// a game starts.
#include "record/handicap.h"

#include <cstdlib>
#include <iterator>

#include "game/paused_search.h"
#include "ui/form1.h"

namespace zenko {
namespace {

// The pieces in the order they are taken away. At level L > 0 the COM
// pieces of steps 1..L are missing, at level L < 0 the MAN pieces of steps
// 1..|L|. Each side gives up its advisors, elephants, horses, chariots and
// cannons, alternating between the two wings.
struct HandicapStep {
    int comPiece, comX, comY;
    int manPiece, manX, manY;
};
constexpr HandicapStep HandicapSteps[] = {
    {ComAdvisor, 6, 1, ManAdvisor, 4, 10},   {ComAdvisor, 4, 1, ManAdvisor, 6, 10},
    {ComElephant, 7, 1, ManElephant, 3, 10}, {ComElephant, 3, 1, ManElephant, 7, 10},
    {ComHorse, 8, 1, ManHorse, 2, 10},       {ComHorse, 2, 1, ManHorse, 8, 10},
    {ComChariot, 9, 1, ManChariot, 1, 10},   {ComChariot, 1, 1, ManChariot, 9, 10},
    {ComCannon, 8, 3, ManCannon, 2, 8},      {ComCannon, 2, 3, ManCannon, 8, 8},
};
constexpr int MaxHandicapLevel = static_cast<int>(std::size(HandicapSteps));

// Reasons of 描画_メッセージ for refusing a handicap change.
constexpr int RefusedInRecordMode = 1;
constexpr int RefusedDuringGame = 2;
constexpr int RefusedWhenReversed = 3;

// The caption's place: a strip of four tiles right of the board on row 2.
constexpr int CaptionFirstColumn = 11, CaptionLastColumn = 14, CaptionRow = 2;
constexpr double CaptionShadowShift = 0.1;
// 11 points, not 10: at 10 the bold strokes of a digit run together at
// 96 dpi and "３" reads as "８".
constexpr int HandicapCaptionSize = 11;

void write_square(Form1& form, Engine& engine, SoundLibrary& sound, int x, int y, int code) {
    engine.put_piece(x, y, code);
    form.描画_絵(code, x, y);
    form.描画_罫線(LineColor, x, y);
    sound.dsPlay(form.sounds().SoundPiece);
}

// Empties (put = false) or refills the square of one side's piece of a step.
void write_step(Form1& form, Engine& engine, SoundLibrary& sound, int step, bool comSide, bool put) {
    const HandicapStep& s = HandicapSteps[step - 1];
    if (comSide)
        write_square(form, engine, sound, s.comX, s.comY, put ? s.comPiece : PieceEmpty);
    else
        write_square(form, engine, sound, s.manX, s.manY, put ? s.manPiece : PieceEmpty);
}

// Hides the panel, then refuses (forbidden sound and message) unless the
// position is a fresh start; an accepted change drops any old record.
bool begin_handicap_change(Form1& form, SoundLibrary& sound) {
    form.hide_record_panel();
    int reason = 0;
    if (form.history().RecordMode == FlagOn)
        reason = RefusedInRecordMode;
    else if (form.history().HistoryPos > 0)
        reason = RefusedDuringGame;
    else if (form.history().Reversed == FlagOn)
        reason = RefusedWhenReversed;
    if (reason != 0) {
        sound.dsPlay(form.sounds().SoundForbidden);
        form.描画_メッセージ(reason);
        return false;
    }
    form.clear_history();
    return true;
}

}  // namespace

void Form1::LBEL_UP_Click() {
    const PausedSearch paused(*this);
    if (!begin_handicap_change(*this, platform.sound)) return;
    if (handicap_.HandicapLevel < MaxHandicapLevel) {
        ++handicap_.HandicapLevel;
        描画_ハンデレベル(handicap_.HandicapLevel);
        if (handicap_.HandicapLevel >= 1)
            write_step(*this, engine_, platform.sound, handicap_.HandicapLevel, true, false);
        else
            write_step(*this, engine_, platform.sound, -handicap_.HandicapLevel + 1, false, true);
    }
    handicap_.HandicapSet = FlagOn;  // even at the limit: a handicap was asked for
    keep_game();
}

void Form1::LEBEL_DOWN_Click() {
    const PausedSearch paused(*this);
    if (!begin_handicap_change(*this, platform.sound)) return;
    if (handicap_.HandicapLevel > -MaxHandicapLevel) {
        --handicap_.HandicapLevel;
        描画_ハンデレベル(handicap_.HandicapLevel);
        if (handicap_.HandicapLevel <= -1)
            write_step(*this, engine_, platform.sound, -handicap_.HandicapLevel, false, false);
        else
            write_step(*this, engine_, platform.sound, handicap_.HandicapLevel + 1, true, true);
    }
    handicap_.HandicapSet = FlagOn;
    keep_game();
}

// The grade caption right of the board, over a fresh background strip, with
// a black shadow under the white text.
void Form1::描画_ハンデレベル(int level) {
    for (int x = CaptionFirstColumn; x <= CaptionLastColumn; ++x)
        描画_絵(options().Background, x, CaptionRow);
    描画_文字列(CaptionFirstColumn + CaptionShadowShift, CaptionRow + CaptionShadowShift, level, ColorBlack,
                HandicapCaptionSize);
    描画_文字列(CaptionFirstColumn, CaptionRow, level, ColorWhite, HandicapCaptionSize);
}

// The turned set-up of a handicap level is the set-up of the opposite level
// (the steps' squares are symmetric under the half turn), and a turned full
// set is the full set.
bool shows_handicap_set_up(const BoardArray& board, int level) {
    Engine set_up;
    set_up.初期配置();
    for (int step = 1; step <= std::abs(level) && step <= MaxHandicapLevel; ++step) {
        const HandicapStep& s = HandicapSteps[step - 1];
        if (level > 0) set_up.put_piece(s.comX, s.comY, PieceEmpty);
        if (level < 0) set_up.put_piece(s.manX, s.manY, PieceEmpty);
    }
    return board == set_up.board();
}

void Form1::clear_handicap() {
    handicap_.HandicapLevel = 0;
    handicap_.HandicapSet = FlagOff;
}

}  // namespace zenko
