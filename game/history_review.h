// A review as the history keeps it (the notes' Review), and the history as
// a review reads it: the game to review, the moves judged again from the
// kept values, the summary of each side. The window, the record writers and
// the review command read the same numbers.
#pragma once

#include <vector>

#include "game/review_judgement.h"
#include "game/review_session.h"
#include "record/history_state.h"

namespace zenko {

// The history's main line, all of it, from the history's start.
ReviewGame review_game_of(const HistoryState& history);

// What a review found at a position, as the history keeps it.
ReviewedPosition kept_position(const PositionValue& value);

// The moves 1..N that the kept review reaches, judged from its values as the
// review judged them (the mark as kept).
std::vector<MoveJudgement> kept_judgements(const HistoryState& history);

// Every position of the main line has been reviewed.
bool review_complete(const HistoryState& history);

}  // namespace zenko
