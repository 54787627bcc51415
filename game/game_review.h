// The review (検討) of a history's main line, run beside the game on an
// engine process of its own: it gathers each position's result as the
// history keeps them and hands the whole list on after every step. It
// knows nothing of the window or of Form1.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "game/review_session.h"
#include "record/history_state.h"

namespace zenko {

class GameReview {
public:
    // `process` must outlive the review.
    GameReview(EngineProcess& process, std::string command);

    // Reviews the history's main line from its start, ending any review
    // under way; false when its moves cannot be replayed.
    bool start(const HistoryState& history);
    // Move `ply` of the game reviewed has changed (0: the whole game): the
    // review ends, and nothing it answers later is reported.
    void stop_from(int ply);
    // The review under way; nullptr when none runs.
    const ReviewSession* running() const { return session_.running() ? &session_ : nullptr; }

    // The results so far, position 0 (the start) first.
    std::function<void(const std::vector<ReviewedPosition>&)> found;
    // The engine failed before the end.
    std::function<void()> failed;

private:
    ReviewSession session_;
    std::vector<ReviewedPosition> found_;
};

}  // namespace zenko
