// 棋譜 → 検討 and 中止: the review of the game on the board runs on an
// engine process of its own, so the game, its engine levels and ヒント go
// on while it works. Its results go into the history's notes, where the
// move list, the record writers and the kept game find them.
#include <utility>

#include "game/game_review.h"
#include "ui/form1.h"

namespace zenko {

namespace {

constexpr const char* ReviewTitle = "検討";
constexpr const char* NothingToReview = "検討する手がありません";
constexpr const char* CannotReview = "この棋譜の手は検討できません";
constexpr const char* ReviewEngineFailed = "思考ｴﾝｼﾞﾝが応答しません。検討を中止しました";

}  // namespace

const ReviewSession* Form1::review_session() const { return review_ ? review_->running() : nullptr; }

void Form1::KENTOU_Click() {
    std::string refusal;
    if (!engine_found())
        refusal = engine_missing_reason();
    else if (platform.reviewProcess == nullptr || history().HistoryLen == 0)
        refusal = NothingToReview;
    if (!refusal.empty()) {
        platform.sound.dsPlay(sounds().SoundForbidden);
        platform.dialogs.message_box(refusal, ReviewTitle, Buttons::OK);
        return;
    }
    if (review_session() != nullptr) return;  // the game on the board is being reviewed
    if (!review_) {
        review_ = std::make_unique<GameReview>(*platform.reviewProcess, platform.engine.command);
        review_->found = [this](const std::vector<ReviewedPosition>& review) { take_review(review); };
        review_->failed = [this] {
            platform.dialogs.message_box(ReviewEngineFailed, ReviewTitle, Buttons::OK);
        };
    }
    if (!review_->start(history())) platform.dialogs.message_box(CannotReview, ReviewTitle, Buttons::OK);
}

// What was found so far stays with the game.
void Form1::CHUUSHI_Click() { review_history_changed(0); }

void Form1::review_history_changed(int ply) {
    if (review_) review_->stop_from(ply);
}

// The better move at the position before the move on the board, when that
// move has a mark: outlined as ヒント outlines the engine's move.
void Form1::outline_review_best() {
    const HistoryState& h = history();
    const int n = h.HistoryPos;
    if (n < 1 || n >= static_cast<int>(h.Notes.Review.size())) return;
    const ReviewedPosition& before = h.Notes.Review[static_cast<std::size_t>(n - 1)];
    if (h.Notes.Review[static_cast<std::size_t>(n)].mark == NoReviewMark || before.line.empty()) return;
    const ReviewMove& best = before.line.front();
    erase_hint();
    outline_hint(best.fromX, best.fromY, best.toX, best.toY);
}

}  // namespace zenko
