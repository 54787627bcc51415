#include "ui/qt/move_list_panel.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/presentation.h"

namespace zenko {

namespace {

enum Column { NumberColumn, RedColumn, BlackColumn, ColumnCount };
constexpr const char* Headers[] = {"手", "下", "上"};
constexpr const char* StartLine = "開始局面";

const QColor ListBackground(255, 255, 192);
const QColor CurrentBackground(0, 0, 128);
const QColor CurrentText(Qt::white);
const QColor AheadText(150, 150, 150);
constexpr double ListPointSize = 10.5;
constexpr int NumberColumnWidth = 34;
constexpr int CommentHeight = 110;

}  // namespace

formats::Notation list_notation_of(ListNotation notation) {
    switch (notation) {
        case ListNotation::Chinese:
            return formats::Notation::Chinese;
        case ListNotation::Wxf:
            return formats::Notation::Wxf;
        case ListNotation::Japanese:
            break;
    }
    return formats::Notation::Japanese;
}

// Row 0 is the start; row n the list's line n - 1. Each cell stands for a
// move of the history (the number cell for the line's first move).
class MoveListModel : public QAbstractTableModel {
public:
    MoveListModel(const MoveList& moves, const std::vector<int>& marks, QObject* parent)
        : QAbstractTableModel(parent), moves_(moves), marks_(marks) {}

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(moves_.lines().size()) + 1;
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : ColumnCount; }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
            return {};
        return QString::fromUtf8(Headers[section]);
    }

    // The move a cell stands for: 0 for the start line, -1 for none.
    int ply_of(const QModelIndex& index) const {
        if (!index.isValid()) return -1;
        if (index.row() == 0) return 0;
        const MoveListLine& line = moves_.lines()[static_cast<std::size_t>(index.row() - 1)];
        const int ply = index.column() == RedColumn     ? line.redPly
                        : index.column() == BlackColumn ? line.blackPly
                                                        : (line.redPly != 0 ? line.redPly : line.blackPly);
        return ply != 0 ? ply : -1;
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        const int ply = ply_of(index);
        const bool current = ply == position_ && (index.row() == 0 || index.column() != NumberColumn);
        switch (role) {
            case Qt::DisplayRole:
                return text(index);
            case Qt::BackgroundRole:
                return current ? QVariant(CurrentBackground) : QVariant();
            case Qt::ForegroundRole:
                if (current) return CurrentText;
                return ply > position_ ? QVariant(AheadText) : QVariant();
            case Qt::TextAlignmentRole:
                return index.column() == NumberColumn && index.row() > 0
                           ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                           : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
            default:
                return {};
        }
    }

    void reset() {
        beginResetModel();
        endResetModel();
    }

    // The move on the board is now `position`: the lines from the old one
    // to the new one change their look.
    void move_to(int position) {
        if (position == position_) return;
        const int first = row_of(std::min(position, position_)), last = row_of(std::max(position, position_));
        position_ = position;
        emit dataChanged(index(first, 0), index(last, ColumnCount - 1));
    }
    void set_position(int position) { position_ = position; }
    int position() const { return position_; }
    int row_of(int ply) const { return ply <= 0 ? 0 : moves_.line_of(ply) + 1; }

private:
    QString text(const QModelIndex& index) const {
        if (index.row() == 0)
            return index.column() == NumberColumn ? QString::fromUtf8(StartLine) : QString();
        const MoveListLine& line = moves_.lines()[static_cast<std::size_t>(index.row() - 1)];
        switch (index.column()) {
            case NumberColumn:
                return QString::number(line.number);
            case RedColumn:
                return QString::fromStdString(line.red + mark_text(line.redPly));
            default:
                return QString::fromStdString(line.black + mark_text(line.blackPly));
        }
    }

    // The review's mark after the move's text: " ?!", " ?" or " ??".
    std::string mark_text(int ply) const {
        static const char* const texts[] = {"", " ?!", " ?", " ??"};
        if (ply <= 0 || ply >= static_cast<int>(marks_.size())) return "";
        const int mark = marks_[static_cast<std::size_t>(ply)];
        return mark >= MarkInaccuracy && mark <= MarkBlunder ? texts[mark] : "";
    }

    const MoveList& moves_;
    const std::vector<int>& marks_;
    int position_ = 0;
};

MoveListPanel::MoveListPanel(QWidget* parent)
    : QWidget(parent), model_(new MoveListModel(moves_, marks_, this)), table_(new QTableView(this)) {
    setFixedWidth(MoveListWidthPixels);
    QFont font(QStringLiteral("IPAPMincho"));
    font.setPointSizeF(ListPointSize);
    setFont(font);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, ListBackground);
    colours.setColor(QPalette::Window, ListBackground);
    setPalette(colours);
    setAutoFillBackground(true);

    table_->setModel(model_);
    // The keys belong to the window (← → Home End step through the game), and
    // the list shows the move on the board, not a selection of its own.
    table_->setFocusPolicy(Qt::NoFocus);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->setShowGrid(false);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    table_->verticalHeader()->hide();
    // Lines of one height: the view never measures the texts to scroll.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 4);
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionResizeMode(NumberColumn, QHeaderView::Fixed);
    header->resizeSection(NumberColumn, NumberColumnWidth);
    header->setSectionResizeMode(RedColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(BlackColumn, QHeaderView::Stretch);
    header->setSectionsClickable(false);
    table_->setSpan(0, 0, 1, ColumnCount);
    connect(table_, &QTableView::clicked, this, [this](const QModelIndex& index) { choose(index); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(table_, 1);
}

// Made when a record first has comments, right under the table.
QPlainTextEdit* MoveListPanel::comment() {
    if (comment_) return comment_;
    comment_ = new QPlainTextEdit(this);
    comment_->setReadOnly(true);
    comment_->setFocusPolicy(Qt::NoFocus);
    comment_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    comment_->setFixedHeight(CommentHeight);
    comment_->hide();
    static_cast<QVBoxLayout*>(layout())->insertWidget(1, comment_);
    return comment_;
}

// Made when a game first has a review: the first window does without it.
ReviewView* MoveListPanel::review() {
    if (reviewView_) return reviewView_;
    reviewView_ = new ReviewView(this);
    layout()->addWidget(reviewView_);
    reviewView_->onPlyChosen = [this](int ply) {
        if (onPlyChosen) onPlyChosen(ply);
    };
    reviewView_->onStop = [this] {
        if (onStopReview) onStopReview();
    };
    return reviewView_;
}

void MoveListPanel::show_history(const HistoryState& history, ListNotation notation,
                                 const ReviewSession* running) {
    std::vector<int> marks;
    marks.reserve(history.Notes.Review.size());
    for (const ReviewedPosition& p : history.Notes.Review) marks.push_back(p.mark);
    const bool marked = marks != marks_;
    if (marked) marks_ = std::move(marks);
    const bool changed = moves_.update(history, list_notation_of(notation)) || marked;
    const int position = std::clamp(history.HistoryPos, 0, std::max(0, history.HistoryLen));
    const bool moved = position != model_->position();
    if (changed) {
        model_->set_position(position);
        model_->reset();
        table_->setSpan(0, 0, 1, ColumnCount);
    } else {
        model_->move_to(position);
    }
    if (changed || moved)
        table_->scrollTo(model_->index(model_->row_of(position), NumberColumn),
                         QAbstractItemView::EnsureVisible);
    show_comment(history);
    if (reviewView_ || running || !history.Notes.Review.empty())
        review()->show_review(history, running, notation);
}

// The comments of a loaded record only: a game played on from it has moves
// of its own that no comment speaks of.
void MoveListPanel::show_comment(const HistoryState& history) {
    const bool commented = history.RecordMode == FlagOn && !history.Notes.Comments.empty();
    if (!commented && !comment_) return;
    const std::string text = commented ? history.Notes.comment(history.HistoryPos) : std::string();
    if (comment()->isVisibleTo(this) != commented) comment_->setVisible(commented);
    if (text == shownComment_) return;
    shownComment_ = text;
    comment_->setPlainText(QString::fromStdString(text));
}

QModelIndex MoveListPanel::index_of(int ply) const {
    if (ply == 0) return model_->index(0, NumberColumn);
    const int line = moves_.line_of(ply);
    if (line < 0) return {};
    const MoveListLine& l = moves_.lines()[static_cast<std::size_t>(line)];
    return model_->index(line + 1, l.redPly == ply ? RedColumn : BlackColumn);
}

void MoveListPanel::choose(const QModelIndex& index) {
    const int ply = model_->ply_of(index);
    if (ply >= 0 && onPlyChosen) onPlyChosen(ply);
}

}  // namespace zenko
