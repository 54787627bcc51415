// The set-ups of the handicap levels, as the procedures of record/ compare
// a board with them.
#pragma once

#include "rules/types.h"

namespace zenko {

// `board` holds the set-up of this handicap level (0: the full set; above
// 0 the top army gives pieces, below 0 the bottom one).
bool shows_handicap_set_up(const BoardArray& board, int level);

}  // namespace zenko
