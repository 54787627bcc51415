// The move list beside the board (棋譜一覧): the history's moves by move
// number, the bottom army's and the top army's side by side in the chosen
// notation, a line before them for the start; the move on the board
// highlighted and kept in view, the moves ahead of it greyed. Under it, a
// loaded record's comment on that move. It reads the history and asks for
// a move by its number; it changes nothing itself.
#pragma once

#include <QModelIndex>
#include <QWidget>
#include <functional>
#include <string>

#include "record/history_state.h"
#include "record/move_list.h"
#include "settings/options.h"
#include "ui/qt/review_view.h"

class QPlainTextEdit;
class QTableView;

namespace zenko {

class MoveListModel;

// The notation of the list's texts, as 表記 chose it.
formats::Notation list_notation_of(ListNotation notation);

class MoveListPanel : public QWidget {
public:
    explicit MoveListPanel(QWidget* parent = nullptr);

    // The list as the history is now, each reviewed move with its mark, and
    // under it the review (`running`: the one under way, if any).
    void show_history(const HistoryState& history, ListNotation notation,
                      const ReviewSession* running = nullptr);

    // A click on a move: its number in the history (0: the start line).
    std::function<void(int ply)> onPlyChosen;
    // 中止 under the list.
    std::function<void()> onStopReview;

    QTableView* table() const { return table_; }
    QPlainTextEdit* comment();
    ReviewView* review();
    const MoveList& moves() const { return moves_; }
    // The cell of move `ply` (0: the start line); invalid for no such move.
    QModelIndex index_of(int ply) const;

private:
    void choose(const QModelIndex& index);
    void show_comment(const HistoryState& history);

    MoveList moves_;
    std::vector<int> marks_;  // the review's mark of each move (index: the move's number)
    MoveListModel* model_;
    QTableView* table_;
    QPlainTextEdit* comment_ = nullptr;
    ReviewView* reviewView_ = nullptr;
    std::string shownComment_;
};

}  // namespace zenko
