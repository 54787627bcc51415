// What a kept game must bring back: the position, the history, the clocks
// and the game's mode, sides, turn and level.
#pragma once

#include <string>
#include <vector>

#include "record/record_line.h"
#include "ui/form1.h"

namespace zenko::testing {

struct GameState {
    BoardArray board;
    std::vector<std::string> moves;
    int pos, mode, manSide, turn, level, comMarkX;
    double manTime, comTime;
    bool operator==(const GameState&) const = default;
};

inline GameState state_of(const Form1& form) {
    GameState s{form.engine().board(),     {},
                form.history().HistoryPos, form.play().GameMode,
                form.play().ManSide,       form.play().Turn,
                form.chosen_level(),       form.selection().ComMarkX,
                form.clock().ManTime,      form.clock().ComTime};
    for (int n = 1; n <= form.history().HistoryLen; ++n)
        s.moves.push_back(format_move_line(form.history().MoveHistory[n]));
    return s;
}

}  // namespace zenko::testing
