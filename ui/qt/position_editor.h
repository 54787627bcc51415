// 局面編集's window: the board with both armies' pieces beside it, and the
// buttons 初期配置, 全消去, 手番, 完了 and 取消. Clicks go to a
// PositionEditing, which holds the position; 完了 asks check_position and
// says in a box what is wrong, and the editing goes on until the position
// is good or the player cancels (取消, Escape).
#pragma once

#include <QDialog>
#include <QPoint>

#include "record/position_editing.h"
#include "ui/platform.h"

class QPushButton;

namespace zenko {

class PositionEditorBoard;

class PositionEditorDialog : public QDialog {
public:
    PositionEditorDialog(const BoardArray& board, bool topToMove, Dialogs& dialogs, QWidget* parent);

    const PositionEditing& editing() const { return editing_; }
    // The widget the board and the pieces beside it are drawn on, and where
    // on it a square and a piece beside the board are.
    QWidget* board_view() const;
    static QPoint square_centre(int x, int y);
    static QPoint piece_centre(int code);

private:
    void clicked(QPoint at, bool rightButton);
    void finish();
    void show_army_to_move();

    PositionEditing editing_;
    Dialogs& dialogs_;
    PositionEditorBoard* board_;
    QPushButton* armyToMove_;
};

class QtPositionEditor : public PositionEditor {
public:
    QtPositionEditor(QWidget* owner, Dialogs& dialogs) : owner_(owner), dialogs_(dialogs) {}
    bool edit_position(BoardArray& board, bool& topToMove) override;

private:
    QWidget* owner_;
    Dialogs& dialogs_;
};

}  // namespace zenko
