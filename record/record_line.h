// The move lines of a record file: one history entry as 32 fixed columns of
// right-aligned decimal numbers, and the checks a loaded line must pass
// before it may be replayed on the board.
#pragma once

#include <optional>
#include <string>

#include "record/move_record.h"

namespace zenko {

inline constexpr int RecordLineWidth = 32;
// The largest number of seconds the five columns of a time field hold.
inline constexpr int RecordTimeLimit = 99999;

// The move line of one history entry. Times are written as whole seconds,
// clamped to 0..99999 so that every field keeps its columns.
std::string format_move_line(const MoveRecord& move);

// Reads each field from its columns. An empty or missing field (a short
// line) reads 0; anything past column 32 is ignored. nullopt when a field
// holds anything but an optionally negative decimal number with spaces
// around it.
std::optional<MoveRecord> parse_move_line(const std::string& line);

// True when replaying the move stays on the board and puts only real pieces
// there: squares 1..9 / 1..10, piece codes -7..7 with a piece (not an empty
// square) moved, times 0..99999 seconds.
bool is_playable_move(const MoveRecord& move);

// Number of characters (not bytes) of a UTF-8 text.
int utf8_length(const std::string& text);

}  // namespace zenko
