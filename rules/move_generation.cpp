// Move generation: the destinations of one piece from its own steps and
// lines, held to exactly what 移動チェック allows, so that a loop over the
// generated moves and a loop over every square asking 移動チェック agree.
#include <cassert>
#include <cstdlib>

#include "rules/engine.h"

namespace zenko {
namespace {

struct Step {
    int dx, dy;
};
constexpr Step Orthogonal[] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
constexpr Step Diagonal[] = {{-1, -1}, {-1, 1}, {1, -1}, {1, 1}};
constexpr Step HorseJumps[] = {{-1, -2}, {-1, 2}, {-2, -1}, {-2, 1}, {1, -2}, {1, 2}, {2, -1}, {2, 1}};

constexpr bool in_palace(bool com, int x, int y) {
    const int top = com ? ComPalaceTop : ManPalaceTop, bottom = com ? ComPalaceBottom : ManPalaceBottom;
    return x >= PalaceLeftFile && x <= PalaceRightFile && y >= top && y <= bottom;
}

constexpr bool on_own_side(bool com, int y) { return com ? y <= LastComRank : y >= FirstManRank; }

// Collects destinations, turning away the squares off the board, those held
// by a piece of the mover's side and those that leave the generals facing.
class Destinations {
public:
    Destinations(const Engine& engine, int fromX, int fromY, int piece, Square* found)
        : e(engine), x(fromX), y(fromY), com(piece > 0), out(found) {
        const int onOrigin = std::abs(e.piece_at(x, y));
        facingPossible = onOrigin == ComGeneral || e.com_general().x == e.man_general().x;
    }
    void consider(int tx, int ty) {
        if (!on_board(tx, ty)) return;
        const int target = e.piece_at(tx, ty);
        if (com ? target > 0 : target < 0) return;
        if (facingPossible && e.移動チェック_王不見王(x, y, tx, ty) == FlagOn) return;
        out[count++] = {tx, ty};
    }
    // A chariot's line (cannon = false) or a cannon's, from the origin outwards.
    void line(int dx, int dy, bool cannon) {
        int tx = x + dx, ty = y + dy;
        for (; on_board(tx, ty) && e.piece_at(tx, ty) == PieceEmpty; tx += dx, ty += dy) consider(tx, ty);
        if (!on_board(tx, ty)) return;
        if (!cannon) return consider(tx, ty);
        for (tx += dx, ty += dy; on_board(tx, ty); tx += dx, ty += dy)
            if (e.piece_at(tx, ty) != PieceEmpty) return consider(tx, ty);
    }
    // Sorted by file, then rank: the order of a loop over every square.
    int sorted() {
        for (int i = 1; i < count; ++i)
            for (int j = i; j > 0 && key(out[j]) < key(out[j - 1]); --j) std::swap(out[j], out[j - 1]);
        return count;
    }

    const Engine& e;
    const int x, y;
    const bool com;

private:
    static int key(const Square& s) { return s.x * 16 + s.y; }
    Square* out;
    int count = 0;
    bool facingPossible = true;
};

void soldier(Destinations& d) {
    const int forward = d.com ? 1 : -1;
    d.consider(d.x, d.y + forward);
    if (on_own_side(d.com, d.y)) return;
    d.consider(d.x - 1, d.y);
    d.consider(d.x + 1, d.y);
}

void palace_steps(Destinations& d, const Step (&steps)[4]) {
    for (const Step& s : steps)
        if (in_palace(d.com, d.x + s.dx, d.y + s.dy)) d.consider(d.x + s.dx, d.y + s.dy);
}

void elephant(Destinations& d) {
    for (const Step& s : Diagonal) {
        const int tx = d.x + 2 * s.dx, ty = d.y + 2 * s.dy;
        if (!on_board(tx, ty) || !on_own_side(d.com, ty)) continue;
        if (d.e.piece_at(d.x + s.dx, d.y + s.dy) == PieceEmpty) d.consider(tx, ty);
    }
}

void horse(Destinations& d) {
    for (const Step& s : HorseJumps) {
        const int tx = d.x + s.dx, ty = d.y + s.dy;
        if (!on_board(tx, ty)) continue;
        const bool wide = std::abs(s.dx) == 2;
        if (d.e.piece_at(wide ? d.x + s.dx / 2 : d.x, wide ? d.y : d.y + s.dy / 2) == PieceEmpty)
            d.consider(tx, ty);
    }
}

}  // namespace

// The piece is the one asked about; the board's origin square may hold
// another (the evaluation asks about a piece that has left its square).
int Engine::legal_destinations(int x, int y, int piece, Square (&out)[MaxDestinations]) const {
    assert(on_board(x, y) && "legal_destinations from off the board");
    if (!on_board(x, y)) return 0;  // release builds: never index outside the board
    Destinations d(*this, x, y, piece, out);
    switch (std::abs(piece)) {
        case ComSoldier:
            soldier(d);
            break;
        case ComAdvisor:
            palace_steps(d, Diagonal);
            break;
        case ComGeneral:
            palace_steps(d, Orthogonal);
            break;
        case ComElephant:
            elephant(d);
            break;
        case ComHorse:
            horse(d);
            break;
        case ComChariot:
        case ComCannon:
            for (const Step& s : Orthogonal) d.line(s.dx, s.dy, std::abs(piece) == ComCannon);
            break;
        default:
            break;
    }
    return d.sorted();
}

}  // namespace zenko
