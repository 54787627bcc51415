// Conversions between the board's (x, y) and an engine's square names.
#include "game/uci_notation.h"

namespace zenko {

namespace {

std::string square_text(int x, int y, int firstRank) {
    return static_cast<char>('a' + x - 1) + std::to_string(BoardRanks + firstRank - y);
}

// Reads one square from `text` at `at`, moving `at` past it.
bool read_square(const std::string& text, std::size_t& at, int firstRank, int& x, int& y) {
    if (at >= text.size() || text[at] < 'a' || text[at] > 'a' + BoardFiles - 1) return false;
    x = text[at++] - 'a' + 1;
    int rank = 0, digits = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9' && digits < 2; ++at, ++digits)
        rank = rank * 10 + (text[at] - '0');
    if (digits == 0 || rank < firstRank || rank > firstRank + BoardRanks - 1) return false;
    y = BoardRanks + firstRank - rank;
    return true;
}

}  // namespace

std::string uci_move_text(int fromX, int fromY, int toX, int toY, int firstRank) {
    return square_text(fromX, fromY, firstRank) + square_text(toX, toY, firstRank);
}

bool read_uci_move(const std::string& text, int firstRank, int& fromX, int& fromY, int& toX, int& toY) {
    std::size_t at = 0;
    return read_square(text, at, firstRank, fromX, fromY) && read_square(text, at, firstRank, toX, toY) &&
           at == text.size();
}

// The fields after the side to move say: no castling, no en passant, no
// moves since a capture, move one.
std::string uci_fen(const Engine& engine, bool manToMove) { return engine.fen(manToMove) + " - - 0 1"; }

}  // namespace zenko
