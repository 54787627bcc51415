// How a review judges the moves of a game: each position's value as the
// expected score (0 = lost, 1/2 = even, 1 = won) of the side to move, a
// move's drop in its mover's expected score, the mark that drop earns and
// the accuracy of each side. Pure functions, so the review, the engine tool
// and the window read the same numbers.
#pragma once

#include <optional>
#include <vector>

#include "game/uci_client.h"

namespace zenko {

// ---- Expected scores ----

// The centipawns at which the side to move is expected to score 3/4: the
// one constant of the curve used when the engine gives no WDL figures,
// E = 1 / (1 + 3^(-cp / 300)). Fairy-Stockfish 11 (the packaged engine) has
// no WDL model of its own, so the constant was measured: 94 games of it
// against itself at 5000 nodes a move (random first 2-8 plies, Contempt 0),
// 13782 positions from ply 10 with |cp| <= 1500, each scored by the game's
// result; the maximum-likelihood fit puts 3/4 at 293 cp, and the positions
// near +300 cp scored 0.748. Lichess's curve for chess (0.00368208 a
// centipawn) puts it at 298 cp; a chariot up (about 750 cp) is 0.94.
inline constexpr int CentipawnsAtThreeQuarters = 300;

// W + D/2 of win, draw and loss figures per mille.
double expected_from_wdl(int win, int draw, int loss);
// The logistic curve through a centipawn score (see the constant there).
double expected_from_centipawns(int centipawns);
// Mate in `moves`: 1 when the side to move mates (moves > 0), 0 when it is
// mated (moves <= 0, 0 being mated already).
double expected_from_mate(int moves);
// The expected score of the side to move from what the engine said: WDL
// when it gave figures, else the mate or centipawn score; nullopt when it
// gave no score at all.
std::optional<double> expected_score(const EngineAnalysis& analysis);

// ---- Marks ----

enum class ReviewMark { None, Inaccuracy, Mistake, Blunder };  // -, ?!, ?, ??
const char* mark_text(ReviewMark mark);                        // "-", "?!", "?", "??"

// Where the marks start, as drops in the mover's expected score, and the
// band outside which a game counts as decided.
struct MarkThresholds {
    double inaccuracy = 0.05, mistake = 0.10, blunder = 0.15;
    double decidedBelow = 0.03, decidedAbove = 0.97;
};

// The mark of a move that took its mover's expected score from `before`
// (the engine's best at the position before) to `after`. An engine's best
// move is never marked, nor a move in a decided game.
ReviewMark mark_move(double before, double after, bool engineBest, const MarkThresholds& thresholds = {});

// ---- Accuracy ----

// How well one move kept its mover's chances, 0..100 (see the formula).
double move_accuracy(double before, double after);

// One move of the game as the review judged it.
struct MoveJudgement {
    int ply = 0;  // the move from position ply - 1 to position ply
    PlayedMove move{};
    bool redMoved = true;
    // Both positions have a value. When one has none (the engine may not be
    // shown it) the move is not judged: no drop, no mark, no accuracy.
    bool judged = false;
    double before = 0, after = 0;  // the mover's expected scores
    bool engineBest = false;       // the move is the engine's best at ply - 1
    ReviewMark mark = ReviewMark::None;
    std::optional<PlayedMove> best{};  // the engine's best move at ply - 1
    std::vector<PlayedMove> line{};    // its expected line, the best move first
    double drop() const { return before - after; }
};

struct SideSummary {
    int inaccuracies = 0, mistakes = 0, blunders = 0;
    int judged = 0;         // moves judged; 0 leaves the accuracy undefined
    double accuracy = 100;  // the mean of move_accuracy over the judged moves
};
struct ReviewSummary {
    SideSummary red, black;
};
ReviewSummary summarise(const std::vector<MoveJudgement>& moves);

}  // namespace zenko
