// The thinking clock of each side: a 50 ms tick measures the current turn
// and redraws the running total of the side to move whenever the whole
// second changes; 経過時間 shows or hides both totals.
#include <cmath>
#include <string>

#include "ui/form1.h"

namespace zenko {

void Form1::start_turn_clock() {
    clock_.TurnStartTime = platform.clock.seconds_since_midnight();
    if (options().KEIKA.Checked) clock_.Timer1.Enabled = true;
}

namespace {

constexpr double SecondsPerDay = 86400;
constexpr double SecondsPerHour = 3600;
constexpr double SecondsPerMinute = 60;

// Where a side's clock stands right of the board: the row of its three
// squares; the text sits 0.2 square below the row's top edge.
constexpr int ComClockRow = 5, ManClockRow = 7;
constexpr double ClockTextX = 11, ClockTextDown = 0.2, ClockShadowOffset = 0.1;
constexpr int ClockTextSize = 12;

// Row of a side's clock, or 0 for a value that is neither side.
int clock_row(const Form1& form, int side) {
    if (side == form.play().ComSide) return ComClockRow;
    if (side == form.play().ManSide) return ManClockRow;
    return 0;
}

// A whole number of hours, minutes or seconds for the clock text. Values
// that cannot show in two digits become 100, which shows as an empty field,
// so that a wild total read from a file converts safely.
int clock_field(double value) {
    const double whole = std::floor(value);
    if (!(whole > -10 && whole < 100)) return 100;
    return static_cast<int>(whole);
}

}  // namespace

void Form1::Timer1_Timer() {
    if (!clock_.Timer1.Enabled) return;
    clock_.MoveSeconds = 調査_経過秒(clock_.TurnStartTime, platform.clock.seconds_since_midnight());
    const int wholeSeconds = static_cast<int>(clock_.MoveSeconds);
    if (wholeSeconds == clock_.ShownSeconds) return;  // nothing new to show
    clock_.ShownSeconds = wholeSeconds;
    const PlayState& p = play();
    if (p.Turn == p.ComSide) 描画_所有時間(p.ComSide, clock_.MoveSeconds + clock_.ComTime);
    if (p.Turn == p.ManSide) 描画_所有時間(p.ManSide, clock_.MoveSeconds + clock_.ManTime);
    platform.canvas.refresh();
}

double Form1::調査_経過秒(double start, double now) const {
    if (start <= now) return now - start;
    return now + (SecondsPerDay - start);  // the turn crossed midnight
}

std::string Form1::調査_時間秒追加結果(double seconds) const {
    const double hours = seconds >= SecondsPerHour ? std::floor(seconds / SecondsPerHour) : 0;
    const double rest = seconds - SecondsPerHour * hours;
    const double minutes = std::floor(rest / SecondsPerMinute);
    const double secs = rest - SecondsPerMinute * minutes;
    return 変換_数字から文字(clock_field(hours)) + ":" + 変換_数字から文字(clock_field(minutes)) + ":" +
           変換_数字から文字(clock_field(secs));
}

std::string Form1::変換_数字から文字(int n) const {
    const std::string text = std::to_string(n);
    if (text.size() == 1) return "0" + text;
    if (text.size() == 2) return text;
    return "";  // 100 hours or more: an empty hour field
}

void Form1::描画_所有時間(int side, double seconds) {
    if (!options().KEIKA.Checked) return;
    消去_所有時間(side);
    const int row = clock_row(*this, side);
    if (row == 0) return;
    const std::string text = 調査_時間秒追加結果(seconds);
    描画_数値(ClockTextX + ClockShadowOffset, row + ClockTextDown + ClockShadowOffset, text, ColorBlack, 0,
              ClockTextSize);
    描画_数値(ClockTextX, row + ClockTextDown, text, ColorWhite, 0, ClockTextSize);
}

void Form1::消去_所有時間(int side) {
    const int row = clock_row(*this, side);
    if (row == 0) return;
    for (int x = 11; x <= 13; ++x) 描画_絵(options().Background, x, row);
}

void Form1::処理_経過時間() {
    if (options().KEIKA.Checked) {
        set_clock_shown(false);
        clock_.Timer1.Enabled = false;
        消去_所有時間(play().ManSide);
        消去_所有時間(play().ComSide);
    } else {
        set_clock_shown(true);
        clock_.Timer1.Enabled = true;
        描画_所有時間(play().ComSide, clock_.ComTime);
        描画_所有時間(play().ManSide, clock_.ManTime);
    }
    書込_環境設定ファイル();
}

void Form1::KEIKA_Click() { 処理_経過時間(); }

void Form1::stop_clock() { clock_.Timer1.Enabled = false; }

void Form1::set_clock_totals(double manTime, double comTime) {
    clock_.ManTime = manTime;
    clock_.ComTime = comTime;
}

}  // namespace zenko
