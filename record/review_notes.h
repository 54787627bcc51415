// A review (検討) in a record of the field: each reviewed move's mark as a
// PGN NAG ($6 ?!, $2 ?, $4 ??) and, first in its comment, the expected
// score of red after it and, for a marked move, the engine's better line in
// the Chinese notation:
//   {[%eval 0.620] 最善: 炮二平五 马８进７}
// The start position's value stands in the comment before the first move.
// The review's part of a comment ends at its first line break; a comment
// the record had already follows it.
#pragma once

#include <string>
#include <vector>

#include "record/formats/game_record.h"
#include "record/formats/notation.h"
#include "record/history_state.h"

namespace zenko {

// The engine's line from the position `before` (moves in the board's
// squares), move by move in `notation`: at most `most` moves, and none past
// a move whose piece is missing.
std::vector<std::string> line_texts(const BoardArray& before, const std::vector<ReviewMove>& line,
                                    formats::Notation notation, std::size_t most);

// Writes `review` (position n after move n) into the game's comments and
// NAGs, for the moves and positions the two share.
void write_review(formats::GameRecord& game, const std::vector<ReviewedPosition>& review);

// Takes the review out of a game read from a record: the positions up to
// the last move whose comment holds one, the comments left as the record
// had them. Empty (and the game untouched) when it holds no review.
std::vector<ReviewedPosition> take_review_out(formats::GameRecord& game);

}  // namespace zenko
