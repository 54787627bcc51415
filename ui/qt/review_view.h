// The review (検討) under the move list: while the engine works, a bar
// "検討中 N/M" and a 中止 button; a curve of red's expected score over the
// game (red above the middle line, black below) with the move on the board
// marked, which a click moves to; for a marked move the engine's better
// move and line in the chosen notation; when the whole game is reviewed,
// each side's marks and accuracy. Hidden while the game has no review.
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "game/review_session.h"
#include "record/formats/notation.h"
#include "record/history_state.h"
#include "settings/options.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace zenko {

class ReviewCurve;

class ReviewView : public QWidget {
public:
    explicit ReviewView(QWidget* parent = nullptr);

    // The review as the history holds it, and the one under way (nullptr: none).
    void show_review(const HistoryState& history, const ReviewSession* running, ListNotation notation);

    std::function<void(int ply)> onPlyChosen;  // a click on the curve
    std::function<void()> onStop;              // 中止

    QProgressBar* progress() const { return progress_; }
    QPushButton* stop_button() const { return stop_; }
    ReviewCurve* curve() const { return curve_; }
    QLabel* advice() const { return advice_; }

private:
    QProgressBar* progress_;
    QPushButton* stop_;
    QWidget* progressRow_;
    ReviewCurve* curve_;
    QLabel* advice_;
};

// The better move at the move on the board and the engine's line from the
// position before it ("最善: 炮二平五" and "読み筋: …"), when that move is
// marked; then, for a whole game reviewed, each side's summary.
std::string review_advice(const HistoryState& history, bool complete, formats::Notation notation);

}  // namespace zenko
