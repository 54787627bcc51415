#include "record/position_editing.h"

#include "rules/engine.h"

namespace zenko {

void PositionEditing::choose_piece(int code) {
    chosenPiece_ = code == chosenPiece_ ? PieceEmpty : code;
    chosenSquare_ = {0, 0};
}

void PositionEditing::click_square(int x, int y) {
    if (!on_board(x, y)) return;
    if (chosenPiece_ != PieceEmpty) {
        board_[x][y] = chosenPiece_;
        return;
    }
    const Square from = chosenSquare_;
    if (from.x != 0) {
        if (from.x != x || from.y != y) {
            board_[x][y] = board_[from.x][from.y];
            board_[from.x][from.y] = PieceEmpty;
        }
        chosenSquare_ = {0, 0};
        return;
    }
    if (board_[x][y] != PieceEmpty) chosenSquare_ = {x, y};
}

void PositionEditing::remove_piece(int x, int y) {
    if (!on_board(x, y)) return;
    board_[x][y] = PieceEmpty;
    chosenSquare_ = {0, 0};
}

void PositionEditing::set_full_set() {
    Engine fullSet;
    fullSet.初期配置();
    board_ = fullSet.board();
    chosenSquare_ = {0, 0};
}

void PositionEditing::clear_board() {
    board_ = {};
    chosenSquare_ = {0, 0};
}

}  // namespace zenko
