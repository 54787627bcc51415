// A long game for the move list's tests and benchmarks: legal moves from the
// full set, each army in turn (the bottom army first), never taking a
// general, quiet moves preferred, picked by a fixed sequence of numbers so
// every run plays the same game.
#pragma once

#include <cstdint>
#include <vector>

#include "record/move_record.h"
#include "rules/engine.h"

namespace zenko::testing {

inline std::vector<MoveRecord> long_game(int length) {
    Engine position;
    position.初期配置();
    std::uint32_t seed = 27;
    std::vector<MoveRecord> moves;
    for (int n = 0; n < length; ++n) {
        const bool top = n % 2 == 1;
        std::vector<Move> quiet, captures;
        position.for_each_legal_move(top, [&](const Move& m) {
            const int target = position.piece_at(m.toX, m.toY);
            if (target == ComGeneral || target == ManGeneral) return true;
            (target == PieceEmpty ? quiet : captures).push_back(m);
            return true;
        });
        const std::vector<Move>& pool = quiet.empty() ? captures : quiet;
        if (pool.empty()) break;
        seed = seed * 1103515245u + 12345u;
        const Move m = pool[(seed >> 8) % pool.size()];
        moves.push_back({m.fromX, m.fromY, m.toX, m.toY, position.piece_at(m.toX, m.toY), m.piece, m.piece});
        position.駒移動(m.fromX, m.fromY, m.toX, m.toY, m.piece);
    }
    return moves;
}

}  // namespace zenko::testing
