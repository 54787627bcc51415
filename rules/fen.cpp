// Reading and writing a position as Xiangqi FEN: ranks from the top (y = 1) down,
// squares from the left (x = 1); lowercase letters are COM pieces.
#include <cctype>
#include <sstream>
#include <vector>

#include "rules/engine.h"

namespace zenko {

namespace {

struct PieceLetter {
    char letter;  // lowercase; the uppercase letter names the MAN piece
    int comCode;
};

constexpr PieceLetter PieceLetters[] = {
    {'k', ComGeneral}, {'a', ComAdvisor}, {'b', ComElephant}, {'e', ComElephant}, {'n', ComHorse},
    {'h', ComHorse},   {'r', ComChariot}, {'c', ComCannon},   {'p', ComSoldier},
};

// The code of a piece letter, or PieceEmpty when the letter names no piece.
int code_of_letter(char letter) {
    const bool isMan = std::isupper(static_cast<unsigned char>(letter));
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    for (const PieceLetter& p : PieceLetters)
        if (p.letter == lower) return isMan ? -p.comCode : p.comCode;
    return PieceEmpty;
}

// Fills one rank of a zeroed board; false unless it describes exactly nine squares.
bool read_rank(const std::string& text, int y, BoardArray& board) {
    int x = 0;
    for (char c : text) {
        if (c >= '1' && c <= '9') {
            x += c - '0';
        } else {
            const int code = code_of_letter(c);
            if (code == PieceEmpty) return false;
            if (++x <= BoardFiles) board[x][y] = code;
        }
        if (x > BoardFiles) return false;
    }
    return x == BoardFiles;
}

bool read_placement(const std::string& field, BoardArray& board) {
    std::vector<std::string> ranks;
    std::istringstream in(field);
    for (std::string rank; std::getline(in, rank, '/');) ranks.push_back(rank);
    if (ranks.size() != BoardRanks || field.back() == '/') return false;
    for (int y = 1; y <= BoardRanks; ++y)
        if (!read_rank(ranks[y - 1], y, board)) return false;
    return true;
}

// Sets (x, y) to the square of the general of the given code, the last one
// in scan order as the influence survey would; with none on the board the
// square is left as it was, as after a capture of that general.
void locate_general(const BoardArray& board, int general, int& x, int& y) {
    for (int fx = 1; fx <= BoardFiles; ++fx)
        for (int fy = 1; fy <= BoardRanks; ++fy)
            if (board[fx][fy] == general) x = fx, y = fy;
}

// The letter of a piece code; '?' for a code that names no piece.
char letter_of_code(int code) {
    for (const PieceLetter& p : PieceLetters)
        if (p.comCode == (code < 0 ? -code : code))
            return code < 0 ? static_cast<char>(std::toupper(static_cast<unsigned char>(p.letter)))
                            : p.letter;
    return '?';
}

bool read_side(const std::string& field, bool& manToMove) {
    if (field == "w" || field == "r") return manToMove = true, true;
    if (field == "b") return manToMove = false, true;
    return false;
}

}  // namespace

// Fields after the side to move (castling, en passant, move counters) carry
// nothing in Xiangqi and are ignored; a missing side field means MAN to move.
bool Engine::set_fen(const std::string& fen, bool* manToMove) {
    std::istringstream in(fen);
    std::string placement, side;
    if (!(in >> placement)) return false;
    BoardArray board{};
    bool manMoves = true;
    if (!read_placement(placement, board)) return false;
    if (in >> side && !read_side(side, manMoves)) return false;

    Board = board;
    locate_general(board, ComGeneral, ComGeneralX, ComGeneralY);
    locate_general(board, ManGeneral, ManGeneralX, ManGeneralY);
    if (manToMove) *manToMove = manMoves;
    return true;
}

std::string Engine::fen(bool manToMove) const {
    std::string text;
    for (int y = 1; y <= BoardRanks; ++y) {
        int empty = 0;
        for (int x = 1; x <= BoardFiles; ++x) {
            if (Board[x][y] == PieceEmpty) {
                ++empty;
                continue;
            }
            if (empty > 0) text += static_cast<char>('0' + empty), empty = 0;
            text += letter_of_code(Board[x][y]);
        }
        if (empty > 0) text += static_cast<char>('0' + empty);
        if (y < BoardRanks) text += '/';
    }
    return text + (manToMove ? " w" : " b");
}

}  // namespace zenko
