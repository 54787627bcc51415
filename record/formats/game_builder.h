// Builds a GameRecord the way every reader must: from a start position this
// game can play from, one move at a time, each checked on a scratch board.
// The first move that cannot be played ends the main line there and is
// noted as the record's cut; later moves are ignored.
#pragma once

#include <cstddef>
#include <string_view>

#include "record/formats/game_record.h"
#include "record/formats/notation.h"
#include "rules/engine.h"

namespace zenko::formats {

// "" when the position is one a game can be played from: one general a
// side, each in its own palace and not facing the other on an open file,
// and no more pieces of a kind than an army has. Else the reason.
const char* position_problem(const BoardArray& board);

class GameBuilder {
public:
    // movesLeft: the moves the whole file may still hold; each played move
    // takes one, and a record that would need more is cut.
    explicit GameBuilder(std::size_t& movesLeft) : movesLeft_(movesLeft) {}

    // Starts over from a position; false (with the reason) when no game can
    // be played from it.
    bool start(const BoardArray& board, bool redToMove, const char** problem = nullptr);

    // Plays the move from (fromX, fromY) to (toX, toY), kept as `written`.
    // False, and the record cut here, when the move is not playable.
    bool play(int fromX, int fromY, int toX, int toY, std::string_view written);
    // Reads the move in any notation (ranks of coordinates from firstRank)
    // and plays it; false, the record cut here, when it cannot be.
    bool play_written(std::string_view written, int firstRank = IccsFirstRank);
    // Ends the main line before the next move, which is noted as written.
    void cut_here(std::string_view written, const char* reason);

    bool is_cut() const { return game_.cut.has_value(); }
    std::size_t moves() const { return game_.moves.size(); }
    // Adds a comment to the last move, or to the start before any move;
    // ignored once the record is cut. Kept to MaxCommentBytes.
    void add_comment(std::string_view text);
    void set_nag(int nag);

    GameRecord& record() { return game_; }
    const Engine& position() const { return engine_; }
    bool red_to_move() const { return redToMove_; }

private:
    std::size_t& movesLeft_;
    GameRecord game_;
    Engine engine_;
    bool redToMove_ = true;
};

}  // namespace zenko::formats
