// The score of one candidate move of the computer, read from the influence
// tables of the position with the move made. Scores count tenths; piece
// codes serve as piece values.
#include <algorithm>
#include <cstdlib>

#include "rules/engine.h"

namespace zenko {
namespace {

constexpr Score Point = ScoreUnit;
constexpr Score Tenth = 1;
constexpr Score HalfPoint = ScoreUnit / 2;

constexpr Score CapturesGeneral = 9999 * Point;
constexpr Score Mates = 9998 * Point;
// Leaving the own general attacked, and mating with a soldier, are the worst.
constexpr Score Hopeless = -9998 * Point;

// Undefended MAN pieces the moved piece could take next: a fork of two or
// more earns the smallest of them.
struct Targets {
    int count = 0;
    int smallest = 9999;
};

// The mover stands on `to` after being attacked and undefended on `from`,
// or is now attacked, defended or not.
Score moved_piece_safety(const Engine& e, int moving, int fromX, int fromY, int toX, int toY) {
    if (e.man_influence()[toX][toY] == 0) {
        if (e.saved_man_influence()[fromX][fromY] > 0 && e.saved_com_influence()[fromX][fromY] == 0)
            return moving == ComGeneral ? 4 * Point : 5 * moving * Point;
        return 0;
    }
    if (e.com_influence()[toX][toY] == 0) return -2 * moving * Point;
    const int attacker = e.man_attacker()[toX][toY];
    Score score = 0;
    if (moving > std::abs(attacker)) score += (std::abs(attacker) - moving) * Point;
    const Square king = e.man_general();
    if (attacker == ManGeneral && e.com_influence()[king.x][king.y] > 0 && toY < king.y)
        score += moving * Point;
    return score;
}

Score capture_gain(Engine& e, int captured, int moving, int fromX, int fromY, int toX, int toY) {
    const int value = std::abs(captured);
    if (e.man_influence()[toX][toY] == 0) return 5 * value * Point;
    Score score = -2 * moving * Point;
    if (e.com_influence()[toX][toY] > 0) {
        if (moving < std::abs(e.man_attacker()[toX][toY])) score += value * Point;
    } else if (e.saved_man_influence()[fromX][fromY] > 0 && e.調査_移動可場所数(fromX, fromY, moving) == 0) {
        // A trapped piece with nowhere safe to go may as well sell itself.
        score += value * Point;
    }
    return score;
}

// Level 3: soldiers towards the MAN general's file, chariots onto its lines
// and into the centre, cannons onto its file, advisors closing a gap.
Score positional_bonus(const Engine& e, int moving, int fromX, int fromY, int toX, int toY) {
    const auto [kingX, kingY] = e.man_general();
    Score score = 0;
    switch (moving) {
        case ComSoldier:
            if (e.man_influence()[toX][toY] == 0) {
                score += Tenth;
                if (toX == kingX) score += 10 * Point;
            }
            if (e.piece_at(toX, ComCannonRank) == ComCannon && toX == kingX) score += 5 * Point;
            break;
        case ComChariot:
            if (toX == kingX || toY == kingY) score += Point;
            if (fromY == ComBackRank && toY == ComBackRank + 1) {
                score += 5 * Point;
                if (kingX == PalaceLeftFile || kingX == PalaceRightFile) score += 10 * Point;
            }
            if ((fromX < PalaceLeftFile || fromX > PalaceRightFile) && toX >= PalaceLeftFile &&
                toX <= PalaceRightFile)
                score += Point;
            break;
        case ComCannon:
            if (toX == kingX) score += Point;
            break;
        case ComAdvisor:
            if (e.saved_man_influence()[e.com_general().x][e.com_general().y] > 0 &&
                e.man_influence()[e.com_general().x][e.com_general().y] == 0)
                score += 5 * Point;
            break;
        default:
            break;
    }
    return score;
}

// An empty square that MAN reaches: near the COM general, in the COM camp,
// or in front of an advanced MAN soldier.
Score empty_square_danger(Engine& e, int x, int y) {
    const int man = e.man_influence()[x][y], com = e.com_influence()[x][y];
    Score score = 0;
    const Square general = e.com_general();
    if (std::abs(x - general.x) < 2 && std::abs(y - general.y) < 2) {
        score -= man * HalfPoint;
        if (com == 1 && man > 1) score -= 10 * Point;
    }
    if (com == 0 && y <= ComPalaceBottom) {
        score -= Tenth;
        if (e.調査_自守駒MAN_直進駒(x, y)) score -= 10 * Point;
    }
    if (y <= ComPalaceBottom && e.piece_at(x, y + 1) == ManSoldier && man >= com) {
        score -= 30 * Point;
        if (e.調査_自守駒MAN_直進駒(x, y + 1)) score -= 70 * Point;
    }
    return score;
}

Score attacked_com_piece_danger(Engine& e, int c, int x, int y) {
    const int man = e.man_influence()[x][y], com = e.com_influence()[x][y];
    const int attacker = std::abs(e.man_attacker()[x][y]), guard = e.com_guard()[x][y];
    Score score = 0;
    if (guard == ComGeneral && (man > 1 || c > attacker)) score -= 100 * Point;
    if (c > attacker) score -= (c - attacker) * Point;
    if (com > 0) {
        if (guard >= attacker && man > com) score -= c * Point;
        if (y <= ComPalaceBottom && com == man && e.piece_at(x, y + 1) != PieceEmpty &&
            e.調査_自守駒MAN_直進駒(x, y + 1))
            score -= (c + std::abs(e.man_attacker()[x][y + 1])) * Point;
    } else {
        score -= c * Point;
        if (y <= ComPalaceBottom) score -= 10 * Point;
        // A piece that has just captured there gets the captured piece back.
        const int before = e.board_before_move()[x][y];
        if (before <= ManSoldier) score += std::abs(before) * Point;
    }
    return score;
}

Score com_piece_danger(Engine& e, int c, int x, int y) {
    Score score = 0;
    if (c == ComGeneral && y == ComBackRank && e.man_influence()[x][ComBackRank + 1] > 0) {
        score -= 50 * Point;
        if (e.man_influence()[x][ComBackRank + 1] >= e.com_influence()[x][ComBackRank + 1])
            score -= 250 * Point;
    }
    if (e.man_influence()[x][y] > 0) score += attacked_com_piece_danger(e, c, x, y);
    return score;
}

Score man_piece_chance(Engine& e, int m, int x, int y, int moving, int toX, int toY, Targets& targets) {
    Score score = 0;
    const Square general = e.com_general();
    if (e.com_influence()[x][y] > 0 && e.saved_com_influence()[x][y] == 0 && std::abs(x - general.x) < 3 &&
        std::abs(y - general.y) < 3)
        score += 15 * Point;
    const bool moverSafe = e.man_influence()[toX][toY] == 0;
    const bool undefended = e.man_influence()[x][y] == 0 || Square{x, y} == e.man_general();
    if (moverSafe && undefended && e.移動チェック(toX, toY, x, y, moving) == FlagOn) {
        score += Tenth;
        targets.count += 1;
        targets.smallest = std::min(targets.smallest, std::abs(m));
    }
    return score;
}

}  // namespace

Score Engine::盤評価(int captured, int moving, int fromX, int fromY, int toX, int toY, int level) {
    if (captured == ManGeneral) return CapturesGeneral;
    if (ManInfluence[ComGeneralX][ComGeneralY] >= 1) return Hopeless;
    Score score = 0;
    if (ComInfluence[ManGeneralX][ManGeneralY] > 0) {
        if (詰めかMAN() == FlagOn) return moving == ComSoldier ? Hopeless : Mates;
        if (ManAttacker[toX][toY] == ManGeneral && ComInfluence[toX][toY] > 0) score += 100 * Point;
        if (ManInfluence[toX][toY] == 0) score += 10 * Point;
    }
    score += 盤評価_COM危険座標(moving, toX, toY);
    score += moved_piece_safety(*this, moving, fromX, fromY, toX, toY);
    if (captured != PieceEmpty) score += capture_gain(*this, captured, moving, fromX, fromY, toX, toY);
    if (level >= 3) score += positional_bonus(*this, moving, fromX, fromY, toX, toY);
    return score;
}

Score Engine::盤評価_COM危険座標(int moving, int toX, int toY) {
    Score score = 0;
    Targets targets;
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y) {
            const int piece = Board[x][y];
            if (piece == PieceEmpty) {
                if (ManInfluence[x][y] > 0) score += empty_square_danger(*this, x, y);
            } else if (piece >= ComSoldier) {
                score += com_piece_danger(*this, piece, x, y);
            } else {
                score += man_piece_chance(*this, piece, x, y, moving, toX, toY, targets);
            }
        }
    if (targets.count > 1) score += targets.smallest * Point;
    return score;
}

}  // namespace zenko
