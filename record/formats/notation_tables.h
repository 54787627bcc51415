// The words of the notations, shared by their writer and their reader.
// Piece tables are indexed by kind (soldier 1 ... general 7, the absolute
// piece code), number tables by the number.
#pragma once

#include "rules/types.h"

namespace zenko::formats {

constexpr int kind_of(int code) { return code < 0 ? -code : code; }

// Chariots, cannons, soldiers and generals move along lines and count
// ranks; horses, elephants and advisors move diagonally and name a file.
constexpr bool moves_straight(int kind) {
    return kind == ComSoldier || kind == ComCannon || kind == ComChariot || kind == ComGeneral;
}

// A file as its army counts it, from its own right: red sits at the bottom,
// so its file 1 is the board's right edge (x = 9); black's file 1 is x = 1.
constexpr int own_file(bool red, int x) { return red ? BoardFiles + 1 - x : x; }
constexpr int file_x(bool red, int file) { return red ? BoardFiles + 1 - file : file; }

// Pieces of one code on one file: how many, and the place of one of them
// counted from the front (0 = nearest the opponent).
struct FilePlace {
    int count = 0, index = 0;
};

inline constexpr const char* ChineseNumerals[] = {"",   "一", "二", "三", "四", "五",
                                                  "六", "七", "八", "九", "十"};
inline constexpr const char* FullWidthDigits[] = {"", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
inline constexpr const char* KanjiNumerals[] = {"",   "一", "二", "三", "四", "五",
                                                "六", "七", "八", "九", "十"};

// xqbase's simplified characters.
inline constexpr const char* RedChineseNames[] = {"", "兵", "仕", "炮", "相", "车", "马", "帅"};
inline constexpr const char* BlackChineseNames[] = {"", "卒", "士", "炮", "象", "车", "马", "将"};
inline constexpr const char* ChineseForward = "进";
inline constexpr const char* ChineseBackward = "退";
inline constexpr const char* ChineseSideways = "平";
inline constexpr const char* ChineseFront = "前";
inline constexpr const char* ChineseMiddle = "中";
inline constexpr const char* ChineseRear = "后";

// The game's own move text: the names it prints for each army.
inline constexpr const char* TopArmyNames[] = {"", "卒", "士", "砲", "象", "車", "馬", "将"};
inline constexpr const char* BottomArmyNames[] = {"", "兵", "仕", "炮", "相", "車", "馬", "師"};
// The game labels the columns from the right (9 above x = 1), and its move
// text names the column by that label.
inline constexpr int ColumnLabelSum = 10;

inline constexpr char WxfLetters[] = {'?', 'P', 'A', 'C', 'E', 'R', 'H', 'K'};

// 前/后 for two, 前/中/后 for three, 一..五 from the front for more.
constexpr const char* chinese_marker(const FilePlace& place) {
    if (place.count >= 4) return ChineseNumerals[place.index + 1];
    if (place.index == 0) return ChineseFront;
    return place.index == place.count - 1 ? ChineseRear : ChineseMiddle;
}

}  // namespace zenko::formats
