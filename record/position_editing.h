// The position editor's board: pieces put from beside the board, moved on
// it and taken off, the full set or an empty board at a stroke, and the army
// to move. The window draws it and passes the clicks on; nothing here is
// judged until the editing is done (check_position).
#pragma once

#include "record/position_check.h"
#include "rules/types.h"

namespace zenko {

class PositionEditing {
public:
    PositionEditing(const BoardArray& board, bool topToMove) : board_(board), topToMove_(topToMove) {}

    const BoardArray& board() const { return board_; }
    bool top_to_move() const { return topToMove_; }
    // The piece chosen beside the board to put down, or PieceEmpty.
    int chosen_piece() const { return chosenPiece_; }
    // The square of the piece chosen on the board to move; x 0: none.
    Square chosen_square() const { return chosenSquare_; }

    // A piece beside the board: chosen to put down, as often as wanted;
    // chosen again, it is put away.
    void choose_piece(int code);
    // A square: the chosen piece is put there (over whatever stands there),
    // or the piece chosen on the board moves there; with nothing chosen,
    // the piece on the square is chosen to move.
    void click_square(int x, int y);
    // The right button: the square is emptied.
    void remove_piece(int x, int y);
    void set_full_set();
    void clear_board();
    void switch_army_to_move() { topToMove_ = !topToMove_; }

    PositionCheck check() const { return check_position(board_, topToMove_); }

private:
    BoardArray board_;
    bool topToMove_;
    int chosenPiece_ = PieceEmpty;
    Square chosenSquare_{0, 0};
};

}  // namespace zenko
