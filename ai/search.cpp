// The computer's choice: every legal move of every COM piece is made on the
// board, surveyed, scored and taken back; the first of the best is kept.
#include <cassert>

#include "rules/engine.h"
#include "rules/standard_rules.h"

namespace zenko {
namespace {

constexpr Score NothingYet = -99999 * ScoreUnit;

// Makes the move, surveys and scores the result, and takes it back. The
// general squares stay where they were for the move: the survey moves them
// to wherever a general went, and the trial puts them back, which keeps the
// flying-general test of the later candidates honest.
Score score_candidate(Engine& e, const Move& m, int level) {
    const int captured = e.piece_at(m.toX, m.toY);
    const Engine::TrialMove trial(e, m.fromX, m.fromY, m.toX, m.toY, Generals::Stay);
    e.勢力調査();
    return e.盤評価(captured, m.piece, m.fromX, m.fromY, m.toX, m.toY, level);
}

}  // namespace

SearchResult Engine::start_computer_turn(const SearchRequest& request, SearchObserver* observer) {
    待避_移動前盤();
    return 探索(request, observer);
}

SearchResult Engine::探索(const SearchRequest& request, SearchObserver* observer) {
    assert(before_move_is_board() && "探索 needs 待避_移動前盤 of this position");
    SearchObserver silent;
    SearchObserver& watch = observer ? *observer : silent;
    SearchResult best;
    best.score = NothingYet;
    // The rectangle keeps its bounds from one piece to the next where the
    // piece leaves them unset; only moves inside it are candidates.
    int xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    for (int x = 1; x <= BoardFiles; ++x) {
        watch.column_started(x);
        for (int y = 1; y <= BoardRanks; ++y) {
            const int p = Board[x][y];
            if (p < ComSoldier) continue;
            取得_駒移動座標(p, x, y, xMin, xMax, yMin, yMax);
            const bool goOn = for_each_legal_move_from(x, y, [&](const Move& m) {
                if (m.toX < xMin || m.toX > xMax || m.toY < yMin || m.toY > yMax) return true;
                // Each candidate's score depends only on the board after it,
                // so passing one over changes neither the scores nor the
                // order of the others.
                if (request.standardRules && !general_safe_after(*this, m)) return true;
                const int captured = Board[m.toX][m.toY];
                const Score score = score_candidate(*this, m, request.level);
                watch.candidate_scored(x, y, m.toX, m.toY, score);
                if (score <= best.score) return true;
                best = {true, x, y, m.toX, m.toY, p, score, captured};
                return captured != ManGeneral;
            });
            if (!goOn) return best;
        }
    }
    return best;
}

}  // namespace zenko
