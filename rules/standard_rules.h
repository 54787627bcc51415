// The standard rules of Xiangqi, beside the game's own. Under them a move may
// not leave the mover's general in check (the two generals facing on an open
// file included), a side without a legal move has lost whether in check
// (checkmate) or not (stalemate), and a position that comes round a third
// time is drawn unless one side gave check with every one of its moves
// meanwhile while the other did not: that side loses (perpetual check).
// 移動チェック stays the judge of the piece rules; these add the test of the
// mover's general on top, without allocating.
#pragma once

#include <cstdint>
#include <span>
#include <type_traits>

#include "rules/engine.h"

namespace zenko {

// ---- Check and legal moves ----

// Whether the general of one army is in check: an enemy piece reaches its
// square by the piece rules, or the two generals face each other on an open
// file. The attack ignores the facing rule 移動チェック applies to a capture:
// an enemy chariot standing alone between the generals still gives check. A
// general missing from its stored square counts as in check.
bool standard_check(const Engine& engine, bool comGeneral);

// Whether the mover's general is out of check after `move` (one the move
// generator yields, so 移動チェック allows it). The position is as before
// when it returns.
bool general_safe_after(Engine& engine, const Move& move);

// Whether the piece on (fromX, fromY) may go to (toX, toY): 移動チェック
// allows it and the mover's general is not in check afterwards.
bool standard_legal(Engine& engine, int fromX, int fromY, int toX, int toY);

// Calls visit(Move) for every standard-legal move of one side, in the order
// of Engine::for_each_legal_move; visit may return false to stop (the result
// is then false). The position is as it was whenever visit is called.
template <typename Visit>
bool for_each_standard_move(Engine& engine, bool comSide, Visit visit);

bool has_standard_move(Engine& engine, bool comSide);

// ---- The end of the game ----

enum class GameStatus {
    Play,
    Checkmate,  // in check with no legal move: the side to move has lost
    Stalemate,  // not in check with no legal move: in Xiangqi a loss as well
};
GameStatus standard_status(Engine& engine, bool manToMove);

// Leaves of the tree of standard-legal move sequences `depth` plies deep.
long long standard_perft(Engine& engine, int depth, bool manToMove);

// ---- Repetition ----

// A Zobrist key of the board and the side to move: equal positions have
// equal keys, and different ones almost surely differ.
using PositionKey = std::uint64_t;
PositionKey position_key(const Engine& engine, bool manToMove);

// One move of the game as the repetition judgement sees it.
struct RepetitionPly {
    PositionKey key;  // of the position after the move, side to move included
    bool manMoved;    // which army made the move
    bool gaveCheck;   // whether it left the other general in check (standard_check)
};

enum class Repetition {
    None,      // no position has come round a third time
    Draw,      // 千日手
    ManLoses,  // MAN checked with every move of the cycle and COM did not
    ComLoses,  // the same the other way round
};

// Judges the position after the last of `plies`. `start` is the key of the
// position the plies start from: the one after the last capture, or the
// game's first position when nothing has been captured. Positions before a
// capture can never come back (there is a piece fewer), so the caller passes
// only the plies since it. Perpetual chasing, which the Asian rules also
// forbid, is not judged: it would take knowing which piece each move
// threatens, which the keys do not tell.
Repetition judge_repetition(PositionKey start, std::span<const RepetitionPly> plies);

// ---- Templates ----

template <typename Visit>
bool for_each_standard_move(Engine& engine, bool comSide, Visit visit) {
    // The generator has filled its list of destinations before the first
    // visit, so trying a move on the board inside the loop is safe.
    return engine.for_each_legal_move(comSide, [&](const Move& move) {
        if (!general_safe_after(engine, move)) return true;
        if constexpr (std::is_same_v<decltype(visit(move)), bool>) {
            return visit(move);
        } else {
            visit(move);
            return true;
        }
    });
}

}  // namespace zenko
