#include "game/game_review.h"

#include <utility>

#include "game/history_review.h"

namespace zenko {

namespace {

int kept_mark(ReviewMark mark) {
    switch (mark) {
        case ReviewMark::Inaccuracy:
            return MarkInaccuracy;
        case ReviewMark::Mistake:
            return MarkMistake;
        case ReviewMark::Blunder:
            return MarkBlunder;
        case ReviewMark::None:
            break;
    }
    return NoReviewMark;
}

}  // namespace

// A position is reported with the move into it, once that move is judged.
GameReview::GameReview(EngineProcess& process, std::string command) : session_(process, std::move(command)) {
    session_.positionReviewed = [this](const PositionValue& value) {
        found_.push_back(kept_position(value));
        if (value.index == 0 && found) found(found_);
    };
    session_.moveJudged = [this](const MoveJudgement& move) {
        found_[static_cast<std::size_t>(move.ply)].mark = kept_mark(move.mark);
        if (found) found(found_);
    };
    session_.finished = [this](EngineFailure failure) {
        if (failure != EngineFailure::None && failed) failed();
    };
}

bool GameReview::start(const HistoryState& history) {
    session_.stop();
    found_.clear();
    if (found) found(found_);
    return session_.start(review_game_of(history));
}

// Position k of the review follows move k: a review of N moves has N + 1.
void GameReview::stop_from(int ply) {
    if (session_.running() && ply < session_.total()) session_.stop();
}

}  // namespace zenko
