#include "ui/qt/review_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "game/history_review.h"
#include "record/formats/notation.h"
#include "record/review_notes.h"
#include "ui/qt/move_list_panel.h"

namespace zenko {

namespace {

constexpr int CurveHeight = 72;
constexpr std::size_t ShownLine = 5;  // moves of the engine's line shown
const QColor CurveBackground(250, 250, 240);
const QColor RedArea(230, 150, 150);
const QColor BlackArea(150, 150, 150);
const QColor CurveLine(60, 60, 60);
const QColor MiddleLine(120, 120, 120);
const QColor CurrentLine(0, 0, 160);

// The board after the first `ply` moves of the history.
BoardArray board_after(const HistoryState& h, int ply) {
    BoardArray board = h.HistoryOrigin.board;
    for (int n = 1; n <= ply && n <= h.HistoryLen; ++n) {
        const MoveRecord& m = h.MoveHistory[static_cast<std::size_t>(n)];
        board[m.toX][m.toY] = m.placed;
        board[m.fromX][m.fromY] = PieceEmpty;
    }
    return board;
}

std::string side_text(const char* name, const SideSummary& side) {
    char accuracy[16] = "-";
    if (side.judged > 0) std::snprintf(accuracy, sizeof accuracy, "%.1f", side.accuracy);
    return std::string(name) + ": ?! " + std::to_string(side.inaccuracies) + "  ? " +
           std::to_string(side.mistakes) + "  ?? " + std::to_string(side.blunders) + "  正確度 " + accuracy;
}

}  // namespace

std::string review_advice(const HistoryState& h, bool complete, formats::Notation notation) {
    const std::vector<ReviewedPosition>& review = h.Notes.Review;
    const int n = h.HistoryPos;
    std::string text;
    if (n >= 1 && n < static_cast<int>(review.size()) &&
        review[static_cast<std::size_t>(n)].mark != NoReviewMark) {
        const std::vector<std::string> line = line_texts(
            board_after(h, n - 1), review[static_cast<std::size_t>(n - 1)].line, notation, ShownLine);
        if (!line.empty()) text = "最善: " + line.front() + "\n読み筋:";
        for (const std::string& move : line) text += " " + move;
    }
    if (complete) {
        // Red is the bottom army of the history's start, as the list's columns.
        const ReviewSummary summary = summarise(kept_judgements(h));
        text +=
            (text.empty() ? "" : "\n") + side_text("下", summary.red) + "\n" + side_text("上", summary.black);
    }
    return text;
}

// Red's expected score from the left (the start) to the right (the last
// move): 1 at the top, 0 at the bottom, even on the middle line.
class ReviewCurve : public QWidget {
public:
    explicit ReviewCurve(QWidget* parent) : QWidget(parent) { setFixedHeight(CurveHeight); }

    void show_values(std::vector<std::pair<bool, double>> values, int moves, int current) {
        if (values == values_ && moves == moves_ && current == current_) return;
        values_ = std::move(values), moves_ = moves, current_ = current;
        update();
    }
    std::function<void(int ply)> onPlyChosen;

    // The x of position `ply`.
    double x_of(int ply) const { return moves_ == 0 ? 0 : (width() - 1) * double(ply) / moves_; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), CurveBackground);
        const double middle = (height() - 1) / 2.0;
        const auto y_of = [&](double red) { return (1 - red) * (height() - 1); };
        painter.setRenderHint(QPainter::Antialiasing);
        // Each reviewed stretch between positions without a value.
        QPainterPath line;
        bool open = false;
        for (std::size_t ply = 0; ply < values_.size(); ++ply) {
            const auto [valued, red] = values_[ply];
            if (!valued) {
                open = false;
                continue;
            }
            const QPointF point(x_of(static_cast<int>(ply)), y_of(red));
            painter.fillRect(QRectF(point.x() - x_of(1) / 2, std::min(point.y(), middle),
                                    std::max(1.0, x_of(1)), std::abs(point.y() - middle)),
                             red >= 0.5 ? RedArea : BlackArea);
            open ? line.lineTo(point) : line.moveTo(point);
            open = true;
        }
        painter.setPen(MiddleLine);
        painter.drawLine(QPointF(0, middle), QPointF(width(), middle));
        painter.setPen(QPen(CurveLine, 1.5));
        painter.drawPath(line);
        if (current_ >= 0 && current_ <= moves_) {
            painter.setPen(QPen(CurrentLine, 2));
            painter.drawLine(QPointF(x_of(current_), 0), QPointF(x_of(current_), height()));
        }
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton || moves_ == 0 || !onPlyChosen) return;
        const double ply = event->position().x() * moves_ / std::max(1, width() - 1);
        onPlyChosen(std::clamp(static_cast<int>(std::lround(ply)), 0, moves_));
    }

private:
    std::vector<std::pair<bool, double>> values_;
    int moves_ = 0, current_ = -1;
};

ReviewView::ReviewView(QWidget* parent)
    : QWidget(parent),
      progress_(new QProgressBar(this)),
      stop_(new QPushButton(QString::fromUtf8("中止"), this)),
      progressRow_(new QWidget(this)),
      curve_(new ReviewCurve(this)),
      advice_(new QLabel(this)) {
    progress_->setFormat(QString::fromUtf8("検討中 %v/%m"));
    progress_->setTextVisible(true);
    stop_->setFocusPolicy(Qt::NoFocus);
    connect(stop_, &QPushButton::clicked, this, [this] {
        if (onStop) onStop();
    });
    auto* row = new QHBoxLayout(progressRow_);
    row->setContentsMargins(2, 2, 2, 2);
    row->addWidget(progress_, 1);
    row->addWidget(stop_);
    curve_->onPlyChosen = [this](int ply) {
        if (onPlyChosen) onPlyChosen(ply);
    };
    advice_->setWordWrap(true);
    advice_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    advice_->setContentsMargins(3, 2, 3, 2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(progressRow_);
    layout->addWidget(curve_);
    layout->addWidget(advice_);
    hide();
}

void ReviewView::show_review(const HistoryState& h, const ReviewSession* running, ListNotation notation) {
    const std::vector<ReviewedPosition>& review = h.Notes.Review;
    const bool shown = running != nullptr || !review.empty();
    if (isVisibleTo(parentWidget()) != shown) setVisible(shown);
    if (!shown) return;
    progressRow_->setVisible(running != nullptr);
    if (running) {
        // The positions reviewed: the game's moves and its start.
        progress_->setRange(0, running->total());
        progress_->setValue(running->done());
    }
    std::vector<std::pair<bool, double>> values;
    values.reserve(review.size());
    for (const ReviewedPosition& p : review) values.emplace_back(p.valued, p.redExpected);
    curve_->show_values(std::move(values), h.HistoryLen, h.HistoryPos);
    const bool complete = running == nullptr && review_complete(h);
    const QString advice = QString::fromStdString(review_advice(h, complete, list_notation_of(notation)));
    if (advice_->text() != advice) advice_->setText(advice);
    advice_->setVisible(!advice.isEmpty());
}

}  // namespace zenko
