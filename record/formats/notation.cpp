// Writing a move in each notation. The rules below are those of the Chinese
// Xiangqi rules' section on recording games (中国象棋竞赛规则, 记录方法), with
// xqbase's conventions for what they leave open (full-width digits for
// black, 一..五 for four or five pawns, the file in place of the name for
// two stacked files), and of the World Xiangqi Federation's official piece
// names and notation (Asian Xiangqi Federation, adopted by the WXF in 1997),
// including its special cases of tandem pawns.
//
// The Chinese notation names the piece, the file it stands on, the direction
// (进 towards the opponent, 退 back, 平 along the rank) and either the number
// of ranks a straight mover (车 炮 兵 帅) goes or the file a diagonal mover
// (马 相 仕) or a sideways move arrives on. Each army counts the files from
// its own right: red with the numerals 一..九, black with digits (written
// full width here, as xqbase does: 马８进７). Pieces of a kind sharing a file
// follow the Chinese rules of notation:
//   - two: 前 for the one nearer the opponent, 后 for the other, in place of
//     the file (前车进一);
//   - three pawns: 前, 中, 后; four or five: 一, 二, 三, 四, 五 from the front;
//   - pawns stacked on two files: the marker stays and the file number takes
//     the place of the piece name (前三平四, 中７进１);
//   - advisors and elephants never take 前/后: the one that can retreat is
//     always the front one and the one that can advance the rear one, so
//     the direction tells them apart (仕四进五, 相三退五). Only a position no
//     game reaches, where both could make the same move, falls back to 前/后.
// WXF (the World Xiangqi Federation's notation) is the same in letters:
// K A E H R C P, then the file, then + - . and the number; tandem pieces
// write + (front) or - (rear) for the file (R+.3, C--1); three pawns on a
// file are P+, P<file> (the middle one keeps the plain form) and P-; four or
// five are ++, P+, (P<file>), P-, --; pawns stacked on two files write the
// file first and the marker second (3+.4, 33.4, 3-.4).
#include "record/formats/notation.h"

#include "record/formats/notation_tables.h"

namespace zenko::formats {

namespace {

// ---- Pieces sharing a file ----

// Number of pieces of `code` on file x, and how many of them stand in front
// of rank y (nearer the opponent's edge).
FilePlace place_on_file(const Engine& e, int x, int y, int code) {
    FilePlace place;
    const bool red = code < 0;
    for (int rank = 1; rank <= BoardRanks; ++rank) {
        if (e.piece_at(x, rank) != code) continue;
        ++place.count;
        if (red ? rank < y : rank > y) ++place.index;
    }
    return place;
}

bool another_file_has_stack(const Engine& e, int x, int code) {
    for (int file = 1; file <= BoardFiles; ++file) {
        if (file == x) continue;
        int count = 0;
        for (int rank = 1; rank <= BoardRanks; ++rank)
            if (e.piece_at(file, rank) == code && ++count >= 2) return true;
    }
    return false;
}

// Whether another piece of the same code on the file could move by the same
// step: then the plain notation, which names only the file, the direction
// and the destination file or distance, would fit it too.
bool same_step_fits_another(const Engine& e, int fromX, int fromY, int toX, int toY) {
    const int code = e.piece_at(fromX, fromY), dy = toY - fromY;
    for (int rank = 1; rank <= BoardRanks; ++rank) {
        if (rank == fromY || e.piece_at(fromX, rank) != code) continue;
        if (on_board(toX, rank + dy) && is_playable(e, code < 0, fromX, rank, toX, rank + dy)) return true;
    }
    return false;
}

// Whether the move needs a marker (前/后, + /-) instead of the file number.
bool needs_marker(const Engine& e, int fromX, int fromY, int toX, int toY, const FilePlace& place) {
    if (place.count < 2) return false;
    const int kind = kind_of(e.piece_at(fromX, fromY));
    if (kind == ComAdvisor || kind == ComElephant) return same_step_fits_another(e, fromX, fromY, toX, toY);
    return true;
}

// How far the move goes towards the opponent's edge (negative: back).
int forward_distance(int code, int fromY, int toY) { return code < 0 ? fromY - toY : toY - fromY; }

// ---- The notations ----

void append_japanese(std::string& out, const Engine& e, int fromX, int fromY, int toX, int toY) {
    const int code = e.piece_at(fromX, fromY);
    out += FullWidthDigits[ColumnLabelSum - toX];
    out += KanjiNumerals[toY];
    out += code > 0 ? TopArmyNames[code] : BottomArmyNames[-code];
}

void append_chinese(std::string& out, const Engine& e, int fromX, int fromY, int toX, int toY) {
    const int code = e.piece_at(fromX, fromY), kind = kind_of(code);
    const bool red = code < 0;
    const char* const* numbers = red ? ChineseNumerals : FullWidthDigits;
    const char* name = red ? RedChineseNames[kind] : BlackChineseNames[kind];
    const FilePlace place = place_on_file(e, fromX, fromY, code);
    if (needs_marker(e, fromX, fromY, toX, toY, place)) {
        out += chinese_marker(place);
        out += kind == ComSoldier && another_file_has_stack(e, fromX, code) ? numbers[own_file(red, fromX)]
                                                                            : name;
    } else {
        out += name;
        out += numbers[own_file(red, fromX)];
    }
    const int forward = forward_distance(code, fromY, toY);
    if (forward == 0) {
        out += ChineseSideways;
        out += numbers[own_file(red, toX)];
        return;
    }
    out += forward > 0 ? ChineseForward : ChineseBackward;
    out += numbers[moves_straight(kind) ? (forward > 0 ? forward : -forward) : own_file(red, toX)];
}

char digit(int n) { return static_cast<char>('0' + n); }

void append_wxf(std::string& out, const Engine& e, int fromX, int fromY, int toX, int toY) {
    const int code = e.piece_at(fromX, fromY), kind = kind_of(code);
    const bool red = code < 0;
    const char letter = WxfLetters[kind];
    const char file = digit(own_file(red, fromX));
    const FilePlace place = place_on_file(e, fromX, fromY, code);
    const int n = place.count, i = place.index;
    if (!needs_marker(e, fromX, fromY, toX, toY, place)) {
        out += letter;
        out += file;
    } else if (kind == ComSoldier && another_file_has_stack(e, fromX, code)) {
        out += file;
        out += i == 0 ? '+' : i == n - 1 ? '-' : file;
    } else if (n >= 4) {
        if (i == 0 || i == n - 1) {
            out.append(2, i == 0 ? '+' : '-');
        } else {
            out += letter;
            out += i == 1 ? '+' : i == n - 2 ? '-' : file;
        }
    } else {
        out += letter;
        out += i == 0 ? '+' : i == n - 1 ? '-' : file;
    }
    const int forward = forward_distance(code, fromY, toY);
    out += forward > 0 ? '+' : forward < 0 ? '-' : '.';
    out +=
        digit(forward != 0 && moves_straight(kind) ? (forward > 0 ? forward : -forward) : own_file(red, toX));
}

char iccs_file(int x) { return static_cast<char>('a' + x - 1); }
char iccs_rank(int y) { return digit(BoardRanks - y); }

void append_iccs(std::string& out, int fromX, int fromY, int toX, int toY) {
    const char text[] = {iccs_file(fromX), iccs_rank(fromY), iccs_file(toX), iccs_rank(toY)};
    out.append(text, sizeof text);
}

}  // namespace

bool is_playable(const Engine& position, bool redToMove, int fromX, int fromY, int toX, int toY) {
    if (!on_board(fromX, fromY) || !on_board(toX, toY)) return false;
    const int code = position.piece_at(fromX, fromY);
    if (code == PieceEmpty || (code < 0) != redToMove) return false;
    return position.移動チェック(fromX, fromY, toX, toY, code) == FlagOn;
}

void append_move_text(std::string& out, const Engine& before, int fromX, int fromY, int toX, int toY,
                      Notation notation) {
    switch (notation) {
        case Notation::Japanese:
            return append_japanese(out, before, fromX, fromY, toX, toY);
        case Notation::Chinese:
            return append_chinese(out, before, fromX, fromY, toX, toY);
        case Notation::Wxf:
            return append_wxf(out, before, fromX, fromY, toX, toY);
        case Notation::Iccs:
            return append_iccs(out, fromX, fromY, toX, toY);
    }
}

std::string move_text(const Engine& before, int fromX, int fromY, int toX, int toY, Notation notation) {
    std::string text;
    append_move_text(text, before, fromX, fromY, toX, toY, notation);
    return text;
}

std::string iccs_text(int fromX, int fromY, int toX, int toY) {
    std::string text;
    append_iccs(text, fromX, fromY, toX, toY);
    return text;
}

std::string iccs_pgn_text(int fromX, int fromY, int toX, int toY) {
    const char text[] = {static_cast<char>(iccs_file(fromX) - 'a' + 'A'), iccs_rank(fromY), '-',
                         static_cast<char>(iccs_file(toX) - 'a' + 'A'), iccs_rank(toY)};
    return std::string(text, sizeof text);
}

}  // namespace zenko::formats
