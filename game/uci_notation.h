// Squares, moves and positions as UCI Xiangqi engines write them. Files are
// the letters a-i from the left; ranks count up from the bottom (MAN's) edge,
// from 1 in Fairy-Stockfish (a1-i10) and from 0 in Pikafish (a0-i9).
#pragma once

#include <string>

#include "rules/engine.h"

namespace zenko {

// "h10g8" (first rank 1) or "h9g7" (first rank 0) for the move from
// (fromX, fromY) to (toX, toY).
std::string uci_move_text(int fromX, int fromY, int toX, int toY, int firstRank);

// Reads a move such as "h10g8"; false for anything that is not exactly two
// squares on the board (a promotion letter, a rank out of range, "(none)").
bool read_uci_move(const std::string& text, int firstRank, int& fromX, int& fromY, int& toX, int& toY);

// The position for "position fen": COM is the top army (lowercase, UCI's
// black); `manToMove` names the side to move.
std::string uci_fen(const Engine& engine, bool manToMove);

}  // namespace zenko
