// The referee's view of check and mate: whether a general can be taken at
// once, and whether a side has a move after which its general cannot. The
// computer's own mate tests stay its judgement; these answer the player.
#include <vector>

#include "rules/engine.h"

namespace zenko {

bool Engine::general_attacked(bool comGeneral) const {
    const Square general = comGeneral ? com_general() : man_general();
    const int code = comGeneral ? ComGeneral : ManGeneral;
    if (!on_board(general.x, general.y) || Board[general.x][general.y] != code) return true;
    return !for_each_legal_move(!comGeneral,
                                [&](const Move& m) { return m.toX != general.x || m.toY != general.y; });
}

bool Engine::has_safe_move(bool comSide) {
    std::vector<Move> moves;
    for_each_legal_move(comSide, [&](const Move& m) { moves.push_back(m); });
    for (const Move& m : moves) {
        TrialMove trial(*this, m.fromX, m.fromY, m.toX, m.toY, Generals::Follow);
        if (!general_attacked(comSide)) return true;
    }
    return false;
}

}  // namespace zenko
