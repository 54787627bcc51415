#include "record/move_list.h"

#include <algorithm>

namespace zenko {

namespace {

// What the text of a move depends on: not its clocks.
bool same_move(const MoveRecord& a, const MoveRecord& b) {
    return a.fromX == b.fromX && a.fromY == b.fromY && a.toX == b.toX && a.toY == b.toY &&
           a.placed == b.placed && a.captured == b.captured;
}

void set_board(Engine& position, const BoardArray& board) {
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y) position.put_piece(x, y, board[x][y]);
}

}  // namespace

bool MoveList::update(const HistoryState& history, formats::Notation notation) {
    const int available = static_cast<int>(history.MoveHistory.size()) - 1;
    const std::size_t length = static_cast<std::size_t>(std::clamp(history.HistoryLen, 0, available));
    std::size_t same = 0;
    if (notation == notation_ && history.HistoryOrigin.board == start_) {
        const std::size_t shorter = std::min(length, moves_.size());
        while (same < shorter && same_move(moves_[same], history.MoveHistory[same + 1])) ++same;
        if (same == length && same == moves_.size()) return false;
    }
    notation_ = notation;
    start_ = history.HistoryOrigin.board;
    rewrite_from(same, history);
    build_lines();
    return true;
}

// From the position after the first moves, kept when the history only grew.
void MoveList::rewrite_from(std::size_t first, const HistoryState& history) {
    if (first < moves_.size()) {
        moves_.resize(first);
        texts_.resize(first);
        set_board(position_, start_);
        for (const MoveRecord& e : moves_) position_.駒移動(e.fromX, e.fromY, e.toX, e.toY, e.placed);
    } else if (first == 0) {
        set_board(position_, start_);
    }
    const int length = std::min(history.HistoryLen, static_cast<int>(history.MoveHistory.size()) - 1);
    for (std::size_t n = first + 1; static_cast<int>(n) <= length; ++n) {
        const MoveRecord& e = history.MoveHistory[n];
        // A record whose move finds another piece on its square is written
        // as the record says, not as the board would have it.
        if (position_.piece_at(e.fromX, e.fromY) != e.placed) position_.put_piece(e.fromX, e.fromY, e.placed);
        texts_.push_back(formats::move_text(position_, e.fromX, e.fromY, e.toX, e.toY, notation_));
        position_.駒移動(e.fromX, e.fromY, e.toX, e.toY, e.placed);
        moves_.push_back(e);
    }
}

// A red move starts a line; a black move ends the line it finds, or starts
// one of its own after "…" when that line already holds a black move.
void MoveList::build_lines() {
    lines_.clear();
    lineOfMove_.clear();
    for (std::size_t i = 0; i < moves_.size(); ++i) {
        const int ply = static_cast<int>(i) + 1;
        const bool red = moves_[i].placed < 0;
        const bool newLine =
            lines_.empty() ||
            (red ? (lines_.back().redPly != 0 || lines_.back().blackPly != 0) : lines_.back().blackPly != 0);
        if (newLine) {
            MoveListLine line;
            line.number = lines_.empty() ? 1 : lines_.back().number + 1;
            if (!red) line.red = MissingRedMove;
            lines_.push_back(std::move(line));
        }
        MoveListLine& line = lines_.back();
        (red ? line.redPly : line.blackPly) = ply;
        (red ? line.red : line.black) = texts_[i];
        lineOfMove_.push_back(static_cast<int>(lines_.size()) - 1);
    }
}

int MoveList::line_of(int ply) const {
    if (ply < 1 || ply > static_cast<int>(lineOfMove_.size())) return -1;
    return lineOfMove_[static_cast<std::size_t>(ply - 1)];
}

}  // namespace zenko
