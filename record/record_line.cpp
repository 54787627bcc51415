#include "record/record_line.h"

#include <cmath>
#include <string_view>

#include "rules/types.h"

namespace zenko {
namespace {

// The columns of a move line, left to right: each field is either a whole
// number of the entry (coordinate or piece code) or a time in seconds.
struct Column {
    int width;
    int MoveRecord::*number;
    double MoveRecord::*seconds;
};

constexpr Column MoveColumns[] = {
    {1, &MoveRecord::fromX, nullptr},        {2, &MoveRecord::fromY, nullptr},
    {1, &MoveRecord::toX, nullptr},          {2, &MoveRecord::toY, nullptr},
    {2, &MoveRecord::placed, nullptr},       {2, &MoveRecord::piece, nullptr},
    {2, &MoveRecord::captured, nullptr},     {5, nullptr, &MoveRecord::manTimeBefore},
    {5, nullptr, &MoveRecord::manTimeAfter}, {5, nullptr, &MoveRecord::comTimeBefore},
    {5, nullptr, &MoveRecord::comTimeAfter},
};

std::string right_aligned(long long value, int width) {
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
    return text;
}

// The integer part of a clock value, kept inside what five columns hold
// (a clock past 27 hours is written as 99999 rather than widening the line).
long long whole_seconds(double seconds) {
    double whole = std::floor(seconds);
    if (!(whole >= 0)) return 0;  // also catches NaN
    if (whole > RecordTimeLimit) return RecordTimeLimit;
    return static_cast<long long>(whole);
}

// One field's text: blank reads 0; otherwise an optional minus sign and
// digits, with spaces before or after. Fields are at most five columns
// wide, so the value cannot overflow.
std::optional<int> parse_field(std::string_view text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return 0;
    std::string_view number = text.substr(first, text.find_last_not_of(' ') + 1 - first);
    bool negative = number.front() == '-';
    if (negative) number.remove_prefix(1);
    if (number.empty()) return std::nullopt;
    int value = 0;
    for (char c : number) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

bool is_square_content(int code) { return code >= ManGeneral && code <= ComGeneral; }
bool is_piece(int code) { return is_square_content(code) && code != PieceEmpty; }
bool is_clock_value(double seconds) { return seconds >= 0 && seconds <= RecordTimeLimit; }

}  // namespace

std::string format_move_line(const MoveRecord& move) {
    std::string line;
    for (const Column& column : MoveColumns) {
        long long value = column.number ? move.*column.number : whole_seconds(move.*column.seconds);
        line += right_aligned(value, column.width);
    }
    return line;
}

std::optional<MoveRecord> parse_move_line(const std::string& line) {
    MoveRecord move;
    size_t offset = 0;
    for (const Column& column : MoveColumns) {
        std::string_view text;
        if (offset < line.size()) text = std::string_view(line).substr(offset, column.width);
        offset += column.width;
        std::optional<int> value = parse_field(text);
        if (!value) return std::nullopt;
        if (column.number)
            move.*column.number = *value;
        else
            move.*column.seconds = *value;
    }
    return move;
}

bool is_playable_move(const MoveRecord& move) {
    return on_board(move.fromX, move.fromY) && on_board(move.toX, move.toY) && is_piece(move.piece) &&
           is_piece(move.placed) && is_square_content(move.captured) && is_clock_value(move.manTimeBefore) &&
           is_clock_value(move.manTimeAfter) && is_clock_value(move.comTimeBefore) &&
           is_clock_value(move.comTimeAfter);
}

int utf8_length(const std::string& text) {
    int count = 0;
    for (unsigned char byte : text)
        if ((byte & 0xC0) != 0x80) ++count;  // continuation bytes do not start a character
    return count;
}

}  // namespace zenko
