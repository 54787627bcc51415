// Names for the numbers of the game: piece codes, flags, players and modes.
// Board arrays are indexed [x][y] with x = file 1..9 (left to right) and
// y = rank 1..10 (top to bottom); index 0 is never a square.
#pragma once

#include <array>

namespace zenko {

inline constexpr int FlagOn = 1;
inline constexpr int FlagOff = 0;

// COM pieces (top side) are positive, MAN pieces (bottom side) negative;
// the kind is the absolute value.
inline constexpr int PieceEmpty = 0;
inline constexpr int ComSoldier = 1;
inline constexpr int ComAdvisor = 2;
inline constexpr int ComCannon = 3;
inline constexpr int ComElephant = 4;
inline constexpr int ComChariot = 5;
inline constexpr int ComHorse = 6;
inline constexpr int ComGeneral = 7;
inline constexpr int ManSoldier = -1;
inline constexpr int ManAdvisor = -2;
inline constexpr int ManCannon = -3;
inline constexpr int ManElephant = -4;
inline constexpr int ManChariot = -5;
inline constexpr int ManHorse = -6;
inline constexpr int ManGeneral = -7;

// Players, turn and game mode.
// A side keeps these values in stored files; NoGame is also a game mode.
enum Side : int {
    NoGame = -1,
    FirstPlayer = 6,   // 先手
    SecondPlayer = 7,  // 後手
};
inline constexpr int ModeVsMan = 0;
inline constexpr int ModeVsCom = 1;

// ---- The board: files, ranks, the river and the two palaces ----
inline constexpr int BoardFiles = 9;
inline constexpr int BoardRanks = 10;
inline constexpr int LastComRank = 5;  // the river runs between ranks 5 and 6
inline constexpr int FirstManRank = 6;
inline constexpr int PalaceLeftFile = 4, PalaceCentreFile = 5, PalaceRightFile = 6;
inline constexpr int ComPalaceTop = 1, ComPalaceBottom = 3;
inline constexpr int ManPalaceTop = 8, ManPalaceBottom = 10;
inline constexpr int ComBackRank = 1, ComCannonRank = 3;

constexpr bool on_board(int x, int y) { return x >= 1 && x <= BoardFiles && y >= 1 && y <= BoardRanks; }

// Every per-square table: [0..9][0..10], row and column 0 unused.
template <typename T>
using SquareTable = T[BoardFiles + 1][BoardRanks + 1];

// The board itself, indexed the same way; a value type, so copying and
// comparing a position needs no loops.
using BoardArray = std::array<std::array<int, BoardRanks + 1>, BoardFiles + 1>;

struct Square {
    int x = 0, y = 0;
    friend constexpr bool operator==(const Square&, const Square&) = default;
};

// Evaluation scores count tenths (0.1 = 1, 0.5 = 5) so that equal decimal
// scores compare equal and the first candidate found keeps a tie.
using Score = int;
inline constexpr Score ScoreUnit = 10;

}  // namespace zenko
