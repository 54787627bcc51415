// One move of the history, as the history, the record files and the game
// keep it.
#pragma once

namespace zenko {

// One move of the history, with both clocks before and after it.
struct MoveRecord {
    int fromX = 0, fromY = 0, toX = 0, toY = 0;
    int captured = 0, piece = 0, placed = 0;
    double manTimeBefore = 0, manTimeAfter = 0, comTimeBefore = 0, comTimeAfter = 0;
    friend bool operator==(const MoveRecord&, const MoveRecord&) = default;
};

}  // namespace zenko
