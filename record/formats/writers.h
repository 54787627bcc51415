// Writing games for other programs: PGN in the Chinese notation (as xqbase
// writes it) or in ICCS, FEN, and the game's own .棋譜.
#pragma once

#include <string>
#include <vector>

#include "record/formats/game_record.h"

namespace zenko::formats {

enum class PgnNotation { Chinese, Iccs };

// One game as PGN in UTF-8: [Game "Chinese Chess"], the game's tags (Event,
// Date, Red, Black and Result written even when empty), [FEN] when the game
// does not start from the full set with red to move, [Format], then the
// numbered moves with their comments and NAGs, and the result.
std::string write_pgn(const GameRecord& game, PgnNotation notation = PgnNotation::Chinese);
// Several games, a blank line between them.
std::string write_pgn(const std::vector<GameRecord>& games, PgnNotation notation = PgnNotation::Chinese);

// Standard Xiangqi FEN: red upper case, "w" or "b", then " - - 0 1".
std::string fen_of(const BoardArray& board, bool redToMove);

// A .棋譜 file's bytes (Shift_JIS, CR LF), or the reason it cannot be written:
// a game that does not start from the full set, or names with characters
// Shift_JIS lacks.
struct KifuText {
    std::string bytes;
    std::string error;
};
KifuText write_kifu(const GameRecord& game);

}  // namespace zenko::formats
