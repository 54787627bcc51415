// Text printed on the window: board labels, move texts, the move count, the
// computer level and the coded captions, most of them with a black drop
// shadow; and the refusal box of the handicap commands.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <string>

#include "ui/form1.h"

namespace zenko {

namespace {

// A shadow is the same text in black, this far right of and below it.
constexpr double ShadowOffset = 0.1;

// Styles of 描画_数値: the value as printed, or as a kanji numeral.
constexpr int PlainStyle = 0, KanjiStyle = 1;

// Texts of 文字列変換: runs of consecutive codes, each run counting from
// its first code in the direction of step.
struct TextRun {
    int firstCode, step;
    const char* texts[10];
};
constexpr TextRun ConvertedTexts[] = {
    {11, 1, {"１", "２", "３", "４", "５", "６", "７", "８", "９"}},
    {21, 1, {"一", "二", "三", "四", "五", "六", "七", "八", "九", "十"}},
    {ComSoldier, 1, {"卒", "士", "砲", "象", "車", "馬", "将"}},
    {ManSoldier, -1, {"兵", "仕", "炮", "相", "車", "馬", "師"}},
};

// Codes of 文字列変換 for a column digit and a row numeral.
constexpr int ColumnDigitCode = 10;
// The digit of a move text is the label above its column, which counts from
// the right; the board is turned in place by 反転, so this holds after it too.
constexpr int ColumnLabelSum = 10;
constexpr int KanjiNumeralCode = 20;

// Texts of 描画_文字列: the handicap captions and the move-count suffix.
struct CodedText {
    int code;
    const char* text;
};
constexpr CodedText CodedTexts[] = {
    {-10, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人"}, {-9, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８段"},
    {-8, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７段"},  {-7, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６段"},
    {-6, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５段"},  {-5, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４段"},
    {-4, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３段"},  {-3, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２段"},
    {-2, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段"},  {-1, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:１級"},
    {0, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級"},   {1, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３級"},
    {2, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４級"},   {3, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５級"},
    {4, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６級"},   {5, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７級"},
    {6, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８級"},   {7, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:９級"},
    {8, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:10級"},   {9, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:11級"},
    {10, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:12級"},  {99, "手目"},
};
constexpr int MoveCountSuffixCode = 99;

// 描画_文字列 prints this far right of and below its grid position (twips).
constexpr int CodedTextOffsetX = 120, CodedTextOffsetY = 160;

// The refusals of the handicap commands, by kind; other kinds have no text.
constexpr const char* HandicapRefusals[] = {"", "棋譜ﾓｰﾄﾞではできません", "対局途中ではできません",
                                            "反転後ではできません"};

// Where and how each header line of a loaded record is printed: the game
// name in light red at the bottom, shifted left of the bottom player's name;
// the top and bottom players' names in white above and below the board. Each
// has the black drop shadow of the other texts; light red is too dark for
// the darker backgrounds even so, and the game name is outlined in black too.
struct HeaderPlace {
    int colour;
    double shiftX;
    double y;
    bool outlined;
};
constexpr HeaderPlace HeaderPlaces[] = {
    {ColorLightRed, -3000, 6450, true},
    {ColorWhite, 0, 100, false},
    {ColorWhite, 0, 6450, false},
};
constexpr int HeaderFontSize = 12;
constexpr int HeaderShadowTwips = SquareWidth / 10;  // a tenth of a square right and down
constexpr int OutlineTwips = TwipsPerPixel;

// Move texts: a row right of the board per side, three columns per move.
constexpr int ComMoveRow = 6, ManMoveRow = 8;
constexpr double MoveColumnX = 11.4, MoveRowX = 11.8, MovePieceX = 12.4, MoveTextDown = 0.1;
constexpr int MoveTextSize = 12;

// A number as printed: a blank or minus sign before it and a blank after;
// whole numbers without decimals.
std::string number_text(double value) {
    char digits[32];
    const double magnitude = std::fabs(value);
    std::to_chars_result end;
    if (magnitude == std::trunc(magnitude) && magnitude < 1e15)
        end = std::to_chars(digits, digits + sizeof digits, static_cast<long long>(magnitude));
    else
        end = std::to_chars(digits, digits + sizeof digits, magnitude);
    return (value < 0 ? "-" : " ") + std::string(digits, end.ptr) + " ";
}

// The kanji numeral of a whole number 1..10, otherwise nothing.
std::string kanji_numeral(const Form1& form, double value) {
    if (value != std::trunc(value) || value < 1 || value > 10) return "";
    return form.文字列変換(static_cast<int>(value) + KanjiNumeralCode);
}

// Prints a text or number twice: the black shadow, then the coloured copy.
template <typename Value>
void print_shadowed(Form1& form, double gx, double gy, const Value& value, int colour, int style, int size) {
    form.描画_数値(gx + ShadowOffset, gy + ShadowOffset, value, ColorBlack, style, size);
    form.描画_数値(gx, gy, value, colour, style, size);
}

void print_move_part(Form1& form, double gx, double gy, const std::string& text, int colour) {
    form.描画_移動駒種類(gx + ShadowOffset, gy + ShadowOffset, text, ColorBlack);
    form.描画_移動駒種類(gx, gy, text, colour);
}

// Row of a side's move text, or 0 for a value that is neither side.
int move_row(const Form1& form, int side) {
    if (side == form.play().ComSide) return ComMoveRow;
    if (side == form.play().ManSide) return ManMoveRow;
    return 0;
}

}  // namespace

void Form1::print_text(const std::string& text) {
    if (text.empty()) return;
    platform.canvas.draw_text(static_cast<int>(std::lround(text_.CurrentX)),
                              static_cast<int>(std::lround(text_.CurrentY)), text, text_.FontSize,
                              text_.FontBold, text_.ForeColor);
}

void Form1::print_text_at(double x, double y, const std::string& text, int size, int colour) {
    text_.ForeColor = colour;
    text_.FontSize = size;
    text_.CurrentX = x;
    text_.CurrentY = y;
    print_text(text);
}

void Form1::描画_数値(double gx, double gy, double value, int colour, int style, int size) {
    text_.FontSize = size;
    text_.ForeColor = colour;
    text_.CurrentX = grid_to_twips_x(gx);
    text_.CurrentY = grid_to_twips_y(gy);
    print_text(style == PlainStyle ? number_text(value) : kanji_numeral(*this, value));
}

void Form1::描画_数値(double gx, double gy, const std::string& text, int colour, int style, int size) {
    text_.FontSize = size;
    text_.ForeColor = colour;
    text_.CurrentX = grid_to_twips_x(gx);
    text_.CurrentY = grid_to_twips_y(gy);
    if (style == PlainStyle) {
        print_text(text);
        return;
    }
    // A numeral given as text still prints as a kanji numeral.
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc() && end == text.data() + text.size()) print_text(kanji_numeral(*this, value));
}

void Form1::描画_移動駒種類(double gx, double gy, const std::string& text, int colour) {
    text_.FontSize = MoveTextSize;
    text_.ForeColor = colour;
    text_.CurrentX = grid_to_twips_x(gx);
    text_.CurrentY = grid_to_twips_y(gy);
    print_text(text);
}

void Form1::描画_文字列(double gx, double gy, int code, int colour, int size) {
    text_.CurrentX = grid_to_twips_x(gx) + CodedTextOffsetX;
    text_.CurrentY = grid_to_twips_y(gy) + CodedTextOffsetY;
    text_.FontSize = size;
    text_.ForeColor = colour;
    for (const CodedText& entry : CodedTexts)
        if (entry.code == code) print_text(entry.text);
}

std::string Form1::文字列変換(int code) const {
    for (const TextRun& run : ConvertedTexts) {
        const int index = (code - run.firstCode) * run.step;
        if (index >= 0 && index < 10 && run.texts[index]) return run.texts[index];
    }
    return "";
}

void Form1::描画_移動結果(int side, int x, int y, int piece, int colour) {
    消去_移動結果(side);
    const int row = move_row(*this, side);
    if (row == 0) return;
    print_move_part(*this, MoveColumnX, row + MoveTextDown, 文字列変換(ColumnLabelSum - x + ColumnDigitCode),
                    colour);
    print_move_part(*this, MoveRowX, row + MoveTextDown, 文字列変換(y + KanjiNumeralCode), colour);
    print_move_part(*this, MovePieceX, row + MoveTextDown, 文字列変換(piece), colour);
    (row == ComMoveRow ? screen_.Shown.comMove : screen_.Shown.manMove) = {true, x, y, piece, colour};
}

void Form1::消去_移動結果(int side) {
    const int row = move_row(*this, side);
    if (row == 0) return;
    (row == ComMoveRow ? screen_.Shown.comMove : screen_.Shown.manMove) = {};
    for (int x = 11; x <= 13; ++x) 描画_絵(options().Background, x, row);
}

void Form1::描画_桝_数値() {
    text_.FontBold = true;  // the window's font stays bold from the first redraw on
    // Column labels count from the right: 9 stands above column 1.
    for (int x = 1; x <= BoardFiles; ++x) {
        描画_絵(options().Background, x, 0);
        print_shadowed(*this, x + 0.1, 0.4, 10.0 - x, ColorYellow, PlainStyle, 16);
    }
    // Row labels 一..十 right of the board, counting from the top.
    for (int y = 1; y <= BoardRanks; ++y) {
        描画_絵(options().Background, 10, y);
        print_shadowed(*this, 10.1, y + 0.3, static_cast<double>(y), ColorYellow, KanjiStyle, 12);
    }
}

void Form1::描画_手数(int n, int /*colour: the count is always white*/) {
    描画_絵(options().Background, 11, 3);
    描画_絵(options().Background, 12, 3);
    // One tenth of a square further left for each extra digit.
    const double x = n < 10 ? 11.2 : n < 100 ? 11.1 : 11.0;
    print_shadowed(*this, x, 3.3, static_cast<double>(n), ColorWhite, PlainStyle, 12);
    描画_文字列(11.8 + ShadowOffset, 3.1 + ShadowOffset, MoveCountSuffixCode, ColorBlack, 10);
    描画_文字列(11.8, 3.1, MoveCountSuffixCode, ColorWhite, 10);
    screen_.Shown.moveCount = n;
}

void Form1::描画_レベル(int level) {
    print_shadowed(*this, -0.6, 0.1, std::string("LEVEL"), ColorWhite, PlainStyle, 10);
    描画_数値(0.6, 0.18, static_cast<double>(level), ColorBlack, PlainStyle, 12);
    描画_数値(0.5, 0.08, static_cast<double>(level), ColorWhite, PlainStyle, 12);
}

// "標準" under the level caption while the game on the board, or with no
// game the next one, is played by the standard rules.
void Form1::draw_rules_caption() {
    erase_tiles(-2, 0, 1);
    print_rules_caption();
}

void Form1::print_rules_caption() {
    const bool standard = play().GameMode != NoGame ? play().StandardRules : options().HYOUJUN.Checked;
    if (standard) print_shadowed(*this, -0.6, 1.05, std::string("標準"), ColorWhite, PlainStyle, 10);
}

void Form1::draw_record_headers() {
    for (std::size_t i = 0; i < std::size(HeaderPlaces); ++i) {
        const HeaderPlace& place = HeaderPlaces[i];
        const std::string& header = history().RecordHeaders[i];
        // A long name shifted left would start off the window: it starts at
        // the edge instead, its outline included.
        const double x = std::max<double>(取得_棋譜のX座標(header) + place.shiftX, OutlineTwips);
        for (int dx = -1; place.outlined && dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (dx != 0 || dy != 0)
                    print_text_at(x + dx * OutlineTwips, place.y + dy * OutlineTwips, header, HeaderFontSize,
                                  ColorBlack);
        print_text_at(x + HeaderShadowTwips, place.y + HeaderShadowTwips, header, HeaderFontSize, ColorBlack);
        print_text_at(x, place.y, header, HeaderFontSize, place.colour);
    }
    screen_.Shown.recordHeaders = true;
}

void Form1::描画_メッセージ(int kind) {
    const bool known = kind >= 1 && kind <= 3;
    const std::string text =
        std::string(known ? HandicapRefusals[kind] : "") + "\n\n" + "局面→最初にして下さい";
    platform.dialogs.message_box(text, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定", Buttons::OK);
}

}  // namespace zenko
