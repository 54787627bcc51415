// The history as the move list beside the board shows it: a line per move
// number with the bottom army's move (red's, as the notations count) and
// the top army's side by side, in the chosen notation. The texts are kept
// between updates and only moves that changed are written again, so a long
// record costs its texts once and stepping through it costs nothing.
#pragma once

#include <string>
#include <vector>

#include "record/formats/notation.h"
#include "record/history_state.h"
#include "rules/engine.h"

namespace zenko {

// What stands in the red cell of a line whose black move has no red move
// before it (a game whose first move is black's).
inline constexpr const char* MissingRedMove = "…";

struct MoveListLine {
    int number = 0;                // the move number, from 1
    int redPly = 0, blackPly = 0;  // the history's move in each cell; 0: none
    std::string red, black;
};

class MoveList {
public:
    // The lines of the history's moves 1..HistoryLen; true when they changed.
    bool update(const HistoryState& history, formats::Notation notation);
    const std::vector<MoveListLine>& lines() const { return lines_; }
    // The line of move `ply` (1 and up), or -1 when the list has no such move.
    int line_of(int ply) const;

private:
    void rewrite_from(std::size_t first, const HistoryState& history);
    void build_lines();

    formats::Notation notation_ = formats::Notation::Japanese;
    BoardArray start_{};
    std::vector<MoveRecord> moves_;  // the moves written, move 1 first
    std::vector<std::string> texts_;
    Engine position_;  // the start with moves_ made
    std::vector<MoveListLine> lines_;
    std::vector<int> lineOfMove_;
};

}  // namespace zenko
