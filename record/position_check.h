// What a position set up by hand must be for this game to play from it:
// one general on each side inside its palace, advisors and elephants only
// on the points they can reach, soldiers not behind their start rank, no
// more pieces of a kind than the full set has, the generals not facing
// each other on an open file, and the army not to move not left with its
// general capturable. The first fault found is told in a box text.
#pragma once

#include <string>

#include "rules/types.h"

namespace zenko {

inline constexpr const char* PositionEditorTitle = "局面編集";

enum class PositionFault {
    None,
    GeneralCount,  // an army without a general, or with more than one
    GeneralOutsidePalace,
    TooManyOfAKind,
    AdvisorOffItsPoints,
    ElephantOffItsPoints,
    SoldierBehindItsStart,
    GeneralsFacing,
    GeneralCapturable,  // the general of the army not to move
};

struct PositionCheck {
    PositionFault fault = PositionFault::None;
    std::string text;  // what is wrong, for the box; empty when nothing is
    bool good() const { return fault == PositionFault::None; }
};

// The board as Engine holds it (top army positive), and the army to move.
PositionCheck check_position(const BoardArray& board, bool topToMove);

}  // namespace zenko
