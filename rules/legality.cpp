// Move legality: the one authority on whether a piece may go from one square
// to another. It is the inner loop of the computer's search, so it allocates
// nothing and reads at most one line of squares.
//
// Moving into check, or leaving a check unanswered, is legal; the only test
// of the generals is that they may never face each other on an open file.
#include <cassert>
#include <cstddef>

#include "rules/engine.h"

namespace zenko {

namespace {

struct Palace {
    int top, bottom;  // ranks
};
constexpr Palace ComPalace{ComPalaceTop, ComPalaceBottom};
constexpr Palace ManPalace{ManPalaceTop, ManPalaceBottom};

constexpr int abs_of(int v) { return v < 0 ? -v : v; }

constexpr bool outside(const Palace& palace, int x, int y) {
    return y < palace.top || y > palace.bottom || x < PalaceLeftFile || x > PalaceRightFile;
}

// Before the river a soldier only steps straight ahead; across it, it may
// also step sideways but never back.
int com_soldier_rule(int x1, int y1, int x2, int y2) {
    if (y1 <= LastComRank) return x2 == x1 && y2 == y1 + 1 ? FlagOn : FlagOff;
    const int dx = x2 - x1, dy = y2 - y1;
    if (y2 < y1 || abs_of(dx) > 1 || abs_of(dy) > 1 || (dy > 0 && dx != 0)) return FlagOff;
    return FlagOn;
}

int man_soldier_rule(int x1, int y1, int x2, int y2) {
    if (y1 > LastComRank) return x2 == x1 && y2 == y1 - 1 ? FlagOn : FlagOff;
    const int dx = x2 - x1, dy = y2 - y1;
    if (y2 > y1 || abs_of(dx) > 1 || abs_of(dy) > 1 || (dy < 0 && dx != 0)) return FlagOff;
    return FlagOn;
}

// Only the destination is held to the palace: a piece that starts in it can
// never be outside.
int advisor_rule(const Palace& palace, int x1, int y1, int x2, int y2) {
    const int dx = abs_of(x2 - x1), dy = abs_of(y2 - y1);
    if (outside(palace, x2, y2) || dx > 1 || dy > 1) return FlagOff;
    return dx == dy ? FlagOn : FlagOff;
}

int general_rule(const Palace& palace, int x1, int y1, int x2, int y2) {
    const int dx = x2 - x1, dy = y2 - y1;
    if (outside(palace, x2, y2) || abs_of(dx) > 1 || abs_of(dy) > 1) return FlagOff;
    return dx != 0 && dy != 0 ? FlagOff : FlagOn;
}

}  // namespace

int Engine::移動チェック(int x1, int y1, int x2, int y2, int piece) const {
    if (!on_board(x2, y2)) return FlagOff;
    assert(on_board(x1, y1) && "移動チェック from off the board");
    if (!on_board(x1, y1)) return FlagOff;  // release builds: never index outside the board
    if (x2 == x1 && y2 == y1) return FlagOff;
    const int target = Board[x2][y2];
    if (piece >= 1 ? target >= 1 : target <= -1) return FlagOff;
    if (移動チェック_王不見王(x1, y1, x2, y2) == FlagOn) return FlagOff;

    switch (piece) {
        case ComSoldier:
            return com_soldier_rule(x1, y1, x2, y2);
        case ManSoldier:
            return man_soldier_rule(x1, y1, x2, y2);
        case ComAdvisor:
            return advisor_rule(ComPalace, x1, y1, x2, y2);
        case ManAdvisor:
            return advisor_rule(ManPalace, x1, y1, x2, y2);
        case ComGeneral:
            return general_rule(ComPalace, x1, y1, x2, y2);
        case ManGeneral:
            return general_rule(ManPalace, x1, y1, x2, y2);
        case ComElephant:
            return y2 > LastComRank ? FlagOff : 移動チェック象相(x1, y1, x2, y2);
        case ManElephant:
            return y2 <= LastComRank ? FlagOff : 移動チェック象相(x1, y1, x2, y2);
        case ComHorse:
        case ManHorse:
            return 移動チェック馬(x1, y1, x2, y2);
        case ComChariot:
        case ManChariot:
            return 移動チェック車(x1, y1, x2, y2);
        case ComCannon:
        case ManCannon:
            // Onto an empty square a cannon moves like a chariot; a capture
            // jumps exactly one screen along a file or rank.
            if (target == PieceEmpty) return 移動チェック車(x1, y1, x2, y2);
            if (x1 != x2 && y1 != y2) return FlagOff;
            return 移動チェック砲取(x1, y1, x2, y2);
        default:
            return FlagOn;  // not a piece code: nothing more to check
    }
}

int Engine::移動チェック車(int x1, int y1, int x2, int y2) const {
    if (x1 != x2 && y1 != y2) return FlagOff;
    if (y1 != y2) {
        const int step = y2 > y1 ? 1 : -1;
        for (int y = y1 + step; y != y2; y += step)
            if (Board[x2][y] != PieceEmpty) return FlagOff;
    }
    if (x1 != x2) {
        const int step = x2 > x1 ? 1 : -1;
        for (int x = x1 + step; x != x2; x += step)
            if (Board[x][y2] != PieceEmpty) return FlagOff;
    }
    return FlagOn;
}

int Engine::移動チェック砲取(int x1, int y1, int x2, int y2) const {
    int screens = 0;
    if (x1 == x2) {
        const int step = y1 < y2 ? 1 : -1;
        for (int y = y1 + step; step > 0 ? y < y2 : y > y2; y += step) screens += Board[x1][y] != PieceEmpty;
    } else if (y1 == y2) {
        const int step = x1 < x2 ? 1 : -1;
        for (int x = x1 + step; x != x2; x += step) screens += Board[x][y1] != PieceEmpty;
    }
    return screens == 1 ? FlagOn : FlagOff;
}

// Walks from the origin one diagonal step at a time until the destination.
int Engine::移動チェック斜(int x1, int y1, int x2, int y2) const {
    const int dx = x2 - x1, dy = y2 - y1;
    int stepX = 0, stepY = 0;
    if (dx == -dy) {
        stepX = y1 > y2 ? 1 : -1, stepY = -stepX;
    } else if (dx == dy) {
        stepX = y1 > y2 ? -1 : 1, stepY = stepX;
    } else {
        return FlagOff;
    }
    for (int x = x1 + stepX, y = y1 + stepY; stepX > 0 ? x < x2 : x > x2; x += stepX, y += stepY)
        if (Board[x][y] != PieceEmpty) return FlagOff;
    return FlagOn;
}

int Engine::移動チェック象相(int x1, int y1, int x2, int y2) const {
    const int dx = x2 - x1, dy = y2 - y1;
    if (dx != dy && dx != -dy) return FlagOff;
    if (abs_of(dx) != 2 && abs_of(dy) != 2) return FlagOff;
    return 移動チェック斜(x1, y1, x2, y2) != FlagOff ? FlagOn : FlagOff;
}

// The leg is the square next to the origin along the long side of the jump.
int Engine::移動チェック馬(int x1, int y1, int x2, int y2) const {
    const int dx = x2 - x1, dy = y2 - y1;
    if (x1 == x2 || y1 == y2) return FlagOff;
    if (abs_of(dx) > 2 || abs_of(dy) > 2) return FlagOff;
    if (abs_of(dx) < 2 && abs_of(dy) < 2) return FlagOff;
    if (dx == dy || dx == -dy) return FlagOff;
    const int leg = abs_of(dx) == 2 ? Board[x1 + dx / 2][y1] : Board[x1][y1 + dy / 2];
    return leg == PieceEmpty ? FlagOn : FlagOff;
}

// FlagOn when the generals would face each other on an open file after the
// move, read from the board as it would be with the move made. The general
// squares are the stored ones, so a general that has been captured still
// counts at the square where it stood.
int Engine::移動チェック_王不見王(int x1, int y1, int x2, int y2) const {
    int cx = ComGeneralX, cy = ComGeneralY, mx = ManGeneralX, my = ManGeneralY;
    const int moving = Board[x1][y1];
    if (moving == ComGeneral) {
        cx = x2, cy = y2;
    } else if (moving == ManGeneral) {
        mx = x2, my = y2;
    }
    if (cx != mx) return FlagOff;
    // The COM general always stands above the MAN general. With the move
    // made, its origin is empty and its destination holds the mover.
    if (x2 == cx && y2 > cy && y2 < my && moving != PieceEmpty) return FlagOff;
    const int emptied = x1 == cx ? y1 : 0, filled = x2 == cx ? y2 : 0;
    for (int y = cy + 1; y <= my - 1; ++y)
        if (Board[cx][y] != PieceEmpty && y != emptied && y != filled) return FlagOff;
    return FlagOn;
}

namespace {

// Where an elephant can stand, and the span of files or ranks its moves from
// there can reach.
struct Span {
    int at, min, max;
};
constexpr Span ElephantFiles[] = {{1, 1, 3}, {3, 1, 5}, {5, 3, 7}, {7, 5, 9}, {9, 7, 9}};
constexpr Span ElephantRanks[] = {{1, 1, 3}, {3, 1, 5}, {5, 3, 5}};

template <std::size_t N>
void read_span(const Span (&spans)[N], int at, int& min, int& max) {
    for (const Span& span : spans)
        if (span.at == at) min = span.min, max = span.max;
}

}  // namespace

// The rectangle is not clipped to the board: every square of it is tried
// through 移動チェック, which turns away squares off the board.
void Engine::取得_駒移動座標(int piece, int x, int y, int& xMin, int& xMax, int& yMin, int& yMax) const {
    switch (piece) {
        case ComGeneral:
        case ComAdvisor:
            xMin = x - 1, xMax = x + 1, yMin = y - 1, yMax = y + 1;
            break;
        case ComSoldier:
            xMin = x - 1, xMax = x + 1, yMin = y, yMax = y + 1;
            break;
        case ComElephant:
            read_span(ElephantFiles, x, xMin, xMax);
            read_span(ElephantRanks, y, yMin, yMax);
            break;
        case ComHorse:
        case ComChariot:
        case ComCannon:
            xMin = 1, xMax = BoardFiles, yMin = 1, yMax = BoardRanks;
            break;
        default:
            break;  // not a COM piece: the caller's values stand
    }
}

}  // namespace zenko
