// A review (検討) of one game: the engine analyses every position of the
// main line in turn, through a UciClient of the review's own, and each move
// is judged as soon as the positions on both sides of it have their values.
// Nothing here waits: the session asks a question and returns, and goes on
// when the engine's answer arrives as an event, like the game's own engine
// turn. The window gives it an engine process of its own, tests a scripted
// one, the engine tool a blocking one.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "game/review_judgement.h"
#include "game/uci_client.h"

namespace zenko {

// The game to review: where it starts and the moves of its main line.
struct ReviewGame {
    std::string startFen;           // placement and side to move, as Engine::set_fen reads them
    std::vector<PlayedMove> moves;  // in the board's squares
};

// One position of the game as the review asks about it: position 0 is the
// start, position k the one after k moves.
struct ReviewPosition {
    bool redToMove = true;
    // The engine may be shown it: both generals stand and the side that is
    // not to move is not in check.
    bool askable = false;
    // Its value is known without asking: the side to move has no legal move,
    // which loses in Xiangqi whether in check or not.
    std::optional<double> settled;
    // What the engine is told: a position it could be shown and the moves
    // from there, every one legal by the standard rules.
    std::string fen;
    std::vector<PlayedMove> played;
};

// The positions 0..N of a game of N moves, by the game's own rules: nullopt
// when the start does not read or a move cannot be played at all (no piece
// on its origin, or one 移動チェック refuses it).
//
// This game lets a move leave the mover's own general attacked, and lets
// the general be taken, which an engine playing by the standard rules cannot
// be shown. The position after such a move is not askable; the engine is
// told the next position it can be shown afresh, and the moves that follow
// it, so every question holds only standard moves. A move next to a
// position that is not askable has nothing to be judged against and gets
// no mark.
std::optional<std::vector<ReviewPosition>> review_positions(const ReviewGame& game);

// What the review found at one position.
struct PositionValue {
    int index = 0;
    bool redToMove = true;
    // False when the position could not be shown to the engine or the
    // engine gave no score; the other fields are then empty.
    bool valued = false;
    double expected = 0.5;           // of the side to move
    std::optional<PlayedMove> best;  // the engine's move; none when it has no move
    std::vector<PlayedMove> line;    // the engine's expected line, the best move first
    EngineAnalysis analysis;         // what the engine said, as it said it
    double red_expected() const { return redToMove ? expected : 1 - expected; }
};

class ReviewSession {
public:
    // The nodes each position is searched: the largest round budget whose
    // median time stayed within 0.4 s a position, so that a 200-ply game is
    // reviewed in about 80 s. Measured with Fairy-Stockfish 11 on a two-core
    // machine shared with other builds (load 2.5-3.8), over 508 positions
    // (two whole games of 132 and 112 plies and 13 short games): median
    // 0.03 s at 10000 nodes, 0.07 at 20000, 0.11 at 40000, 0.19 at 60000,
    // 0.32 at 80000 and at 100000 (p90 0.41), 0.41 at 120000. Every budget
    // from 10000 up marked ?? each of 13 planted blunders: ten pieces left
    // hanging (500-1000 cp by a deeper search) and three missed mates in one
    // that let the other side mate; the same as LEVEL6's budget.
    static constexpr int DefaultNodes = 100000;
    // No bestmove after this long is an engine failure; far above what the
    // default budget takes even on a busy machine.
    static constexpr int AnswerBoundMs = 30000;

    // `process` must outlive the session, which ends the engine when it goes.
    ReviewSession(EngineProcess& process, std::string command, int nodes = DefaultNodes);
    ReviewSession(const ReviewSession&) = delete;
    ReviewSession& operator=(const ReviewSession&) = delete;

    // Starts reviewing `game`, stopping any review under way first. False
    // (and nothing reviewed) when the game cannot be replayed (see
    // review_positions). Positions the engine is not asked about are
    // reported at once, so the callbacks may be called before start returns;
    // so is `finished`, with the failure, when the engine cannot be started.
    bool start(const ReviewGame& game);
    // Ends the review: nothing more is reported, also not the answer the
    // engine is still working on. The engine keeps running for the next.
    void stop();

    bool running() const { return running_; }
    int done() const { return static_cast<int>(values_.size()); }  // positions reviewed so far
    int total() const { return static_cast<int>(positions_.size()); }

    const std::vector<PositionValue>& values() const { return values_; }
    const std::vector<MoveJudgement>& judgements() const { return judgements_; }
    ReviewSummary summary() const { return summarise(judgements_); }

    // Called for every position in order, then for the move into it when
    // there is one (also when it could not be judged), and once at the end:
    // EngineFailure::None when every position was reviewed, else the reason
    // the review ended early. Never called after stop() or a new start().
    // A callback may stop or start the session.
    std::function<void(const PositionValue&)> positionReviewed;
    std::function<void(const MoveJudgement&)> moveJudged;
    std::function<void(EngineFailure)> finished;

private:
    void review_next();
    void answer_received(const EngineAnswer& answer);
    // Records the value of the next position and judges the move into it;
    // false when a callback stopped or restarted the review.
    bool record(PositionValue value);
    MoveJudgement judge(int ply) const;
    void end(EngineFailure failure);

    UciClient client_;
    EngineSettings settings_;
    std::vector<ReviewPosition> positions_;
    std::vector<PlayedMove> moves_;
    std::vector<PositionValue> values_;
    std::vector<MoveJudgement> judgements_;
    bool running_ = false;
    int round_ = 0;  // counts starts and stops, so a callback's stop is noticed
};

}  // namespace zenko
