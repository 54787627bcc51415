// Expected scores, marks and accuracy of a review.
#include "game/review_judgement.h"

#include <algorithm>
#include <cmath>

namespace zenko {

namespace {

// Lichess's move accuracy (lichess.org/page/accuracy): 100 for a move that
// keeps the mover's win percentage, about 65 for one that gives away 10
// points of it, 0 from about 80 points down. Its constants, as published.
constexpr double AccuracyScale = 103.1668, AccuracyDecay = 0.04354, AccuracyOffset = 3.1669;

// Expected scores from per-mille figures are decimal fractions, which binary
// floating point misses by a hair: 0.75 - 0.65 is a little below 0.10. A
// drop that close to a threshold reaches it.
constexpr double Tolerance = 1e-9;

}  // namespace

double expected_from_wdl(int win, int draw, int loss) {
    const int total = win + draw + loss;
    if (total <= 0) return 0.5;
    return (win + draw / 2.0) / total;
}

double expected_from_centipawns(int centipawns) {
    return 1 / (1 + std::pow(3.0, -static_cast<double>(centipawns) / CentipawnsAtThreeQuarters));
}

double expected_from_mate(int moves) { return moves > 0 ? 1 : 0; }

std::optional<double> expected_score(const EngineAnalysis& analysis) {
    if (analysis.hasWdl) return expected_from_wdl(analysis.win, analysis.draw, analysis.loss);
    switch (analysis.kind) {
        case EngineAnalysis::Score::Centipawns:
            return expected_from_centipawns(analysis.value);
        case EngineAnalysis::Score::Mate:
            return expected_from_mate(analysis.value);
        case EngineAnalysis::Score::None:
            break;
    }
    return std::nullopt;
}

const char* mark_text(ReviewMark mark) {
    switch (mark) {
        case ReviewMark::Inaccuracy:
            return "?!";
        case ReviewMark::Mistake:
            return "?";
        case ReviewMark::Blunder:
            return "??";
        case ReviewMark::None:
            break;
    }
    return "-";
}

// With the thresholds as they are, a drop of 0.05 cannot happen inside
// either band of 0.03, so the decided-game rule only bites with lower
// thresholds; it stays so that lowering them does not start marking the
// moves of a won game.
ReviewMark mark_move(double before, double after, bool engineBest, const MarkThresholds& thresholds) {
    if (engineBest) return ReviewMark::None;
    const bool lost = before < thresholds.decidedBelow && after < thresholds.decidedBelow;
    const bool won = before > thresholds.decidedAbove && after > thresholds.decidedAbove;
    if (lost || won) return ReviewMark::None;
    const double drop = before - after + Tolerance;
    if (drop >= thresholds.blunder) return ReviewMark::Blunder;
    if (drop >= thresholds.mistake) return ReviewMark::Mistake;
    if (drop >= thresholds.inaccuracy) return ReviewMark::Inaccuracy;
    return ReviewMark::None;
}

// A move that seems to gain (the engine saw more at the position after)
// counts as keeping the chances.
double move_accuracy(double before, double after) {
    const double lostPoints = std::max(0.0, before - after) * 100;
    const double accuracy = AccuracyScale * std::exp(-AccuracyDecay * lostPoints) - AccuracyOffset;
    return std::clamp(accuracy, 0.0, 100.0);
}

// Each side's accuracy is the plain mean of its moves' accuracies. Lichess
// weights the moves by how sharp the position was and mixes in a harmonic
// mean; the plain mean is easier to explain to a player and moves the same
// way. The engine's best move counts as keeping the chances whatever the
// two searches said about it.
ReviewSummary summarise(const std::vector<MoveJudgement>& moves) {
    ReviewSummary summary;
    double sums[2] = {0, 0};
    for (const MoveJudgement& m : moves) {
        if (!m.judged) continue;
        SideSummary& side = m.redMoved ? summary.red : summary.black;
        side.inaccuracies += m.mark == ReviewMark::Inaccuracy;
        side.mistakes += m.mark == ReviewMark::Mistake;
        side.blunders += m.mark == ReviewMark::Blunder;
        ++side.judged;
        sums[m.redMoved ? 0 : 1] += m.engineBest ? 100.0 : move_accuracy(m.before, m.after);
    }
    if (summary.red.judged > 0) summary.red.accuracy = sums[0] / summary.red.judged;
    if (summary.black.judged > 0) summary.black.accuracy = sums[1] / summary.black.judged;
    return summary;
}

}  // namespace zenko
