// The computer's choice: every legal move of every COM piece is made on the
// board, surveyed, scored and taken back; the first of the best is kept.
#include "rules/engine.h"

namespace zenko {
namespace {

constexpr Score NothingYet = -99999 * ScoreUnit;

// The general squares as a candidate found them. Its survey moves them to
// wherever a general went; putting them back keeps the flying-general test
// of the later candidates honest.
struct GeneralSquares {
    int manX, manY, comX, comY;

    static GeneralSquares of(const Engine& e) {
        return {e.ManGeneralX, e.ManGeneralY, e.ComGeneralX, e.ComGeneralY};
    }
    void restore(Engine& e) const {
        e.ManGeneralX = manX, e.ManGeneralY = manY;
        e.ComGeneralX = comX, e.ComGeneralY = comY;
    }
};

// Makes the move, surveys and scores the result, and takes it back.
Score score_candidate(Engine& e, int p, int x, int y, int tx, int ty) {
    const GeneralSquares generals = GeneralSquares::of(e);
    const int captured = e.Board[tx][ty];
    e.Board[x][y] = PieceEmpty;
    e.Board[tx][ty] = p;
    e.勢力調査();
    const Score score = e.盤評価(captured, p, x, y, tx, ty);
    e.Board[tx][ty] = captured;
    e.Board[x][y] = p;
    generals.restore(e);
    return score;
}

}  // namespace

SearchResult Engine::探索(SearchObserver* observer) {
    SearchObserver silent;
    SearchObserver& watch = observer ? *observer : silent;
    SearchResult best;
    best.score = NothingYet;
    // The rectangle keeps its bounds from one piece to the next where the
    // piece leaves them unset.
    int xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    for (int x = 1; x <= BoardFiles; ++x) {
        watch.column_started(x);
        for (int y = 1; y <= BoardRanks; ++y) {
            const int p = Board[x][y];
            if (p < ComSoldier) continue;
            取得_駒移動座標(p, x, y, xMin, xMax, yMin, yMax);
            for (int tx = xMin; tx <= xMax; ++tx)
                for (int ty = yMin; ty <= yMax; ++ty) {
                    if (移動チェック(x, y, tx, ty, p) != FlagOn) continue;
                    const int captured = Board[tx][ty];
                    const Score score = score_candidate(*this, p, x, y, tx, ty);
                    watch.candidate_scored(x, y, tx, ty, score);
                    if (score <= best.score) continue;
                    best = {true, x, y, tx, ty, p, score};
                    if (captured == ManGeneral) return best;
                }
        }
    }
    return best;
}

}  // namespace zenko
