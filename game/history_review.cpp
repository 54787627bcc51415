#include "game/history_review.h"

#include <algorithm>

#include "record/formats/writers.h"

namespace zenko {

namespace {

// Red is the army of negative codes, the bottom one at the history's start.
bool red_moved(const MoveRecord& m) { return m.placed <= -1; }

ReviewMark mark_of(int kept) {
    switch (kept) {
        case MarkInaccuracy:
            return ReviewMark::Inaccuracy;
        case MarkMistake:
            return ReviewMark::Mistake;
        case MarkBlunder:
            return ReviewMark::Blunder;
        default:
            return ReviewMark::None;
    }
}

PlayedMove played(const ReviewMove& m) { return {m.fromX, m.fromY, m.toX, m.toY}; }

}  // namespace

ReviewGame review_game_of(const HistoryState& h) {
    ReviewGame game;
    const bool redFirst = h.HistoryLen > 0 ? red_moved(h.MoveHistory[1]) : !h.HistoryOrigin.topMovesFirst;
    game.startFen = formats::fen_of(h.HistoryOrigin.board, redFirst);
    for (int n = 1; n <= h.HistoryLen; ++n) {
        const MoveRecord& m = h.MoveHistory[static_cast<std::size_t>(n)];
        game.moves.push_back({m.fromX, m.fromY, m.toX, m.toY});
    }
    return game;
}

ReviewedPosition kept_position(const PositionValue& value) {
    ReviewedPosition p;
    p.valued = value.valued;
    if (value.valued) p.redExpected = value.red_expected();
    for (const PlayedMove& m : value.line) p.line.push_back({m.fromX, m.fromY, m.toX, m.toY});
    return p;
}

std::vector<MoveJudgement> kept_judgements(const HistoryState& h) {
    const std::vector<ReviewedPosition>& review = h.Notes.Review;
    std::vector<MoveJudgement> moves;
    const int last = std::min(h.HistoryLen, static_cast<int>(review.size()) - 1);
    for (int n = 1; n <= last; ++n) {
        const MoveRecord& m = h.MoveHistory[static_cast<std::size_t>(n)];
        const ReviewedPosition &before = review[static_cast<std::size_t>(n - 1)],
                               &after = review[static_cast<std::size_t>(n)];
        MoveJudgement j;
        j.ply = n;
        j.move = {m.fromX, m.fromY, m.toX, m.toY};
        j.redMoved = red_moved(m);
        for (const ReviewMove& step : before.line) j.line.push_back(played(step));
        if (!j.line.empty()) j.best = j.line.front();
        j.engineBest =
            !before.line.empty() && before.line.front() == ReviewMove{m.fromX, m.fromY, m.toX, m.toY};
        j.judged = before.valued && after.valued;
        if (j.judged) {
            j.before = j.redMoved ? before.redExpected : 1 - before.redExpected;
            j.after = j.redMoved ? after.redExpected : 1 - after.redExpected;
        }
        j.mark = mark_of(after.mark);
        moves.push_back(std::move(j));
    }
    return moves;
}

bool review_complete(const HistoryState& h) {
    return h.HistoryLen > 0 && static_cast<int>(h.Notes.Review.size()) == h.HistoryLen + 1;
}

}  // namespace zenko
