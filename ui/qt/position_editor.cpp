#include "ui/qt/position_editor.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>
#include <iterator>

#include "ui/presentation.h"

namespace zenko {

namespace {

constexpr int Margin = 8;
constexpr int Cell = PictureSize;
constexpr int PaletteGap = 16;
constexpr int PaletteLeft = Margin + BoardFiles * Cell + PaletteGap;
constexpr int BoardWidth = PaletteLeft + 2 * Cell + Margin;
constexpr int BoardHeight = Margin + BoardRanks * Cell + Margin;

// The pieces beside the board: the top army's in the first column, the
// bottom army's in the second, each from the general down to the soldier.
constexpr int PaletteKinds[] = {ComGeneral,  ComChariot, ComHorse,  ComCannon,
                                ComElephant, ComAdvisor, ComSoldier};

constexpr const char* FullSetCaption = "初期配置";
constexpr const char* ClearCaption = "全消去";
constexpr const char* BottomToMoveCaption = "手番: 下";
constexpr const char* TopToMoveCaption = "手番: 上";
constexpr const char* FinishCaption = "完了";
constexpr const char* CancelCaption = "取消";

QColor colour(int paletteIndex) {
    const Rgb rgb = palette_rgb(paletteIndex);
    return QColor(rgb.r, rgb.g, rgb.b);
}

QRect square_rect(int x, int y) {
    return QRect(Margin + (x - 1) * Cell, Margin + (y - 1) * Cell, Cell, Cell);
}

QRect piece_rect(int code) {
    for (int row = 0; row < static_cast<int>(std::size(PaletteKinds)); ++row)
        if (PaletteKinds[row] == (code < 0 ? -code : code))
            return QRect(PaletteLeft + (code < 0 ? Cell : 0), Margin + row * Cell, Cell, Cell);
    return {};
}

QPoint centre_of(int x, int y) { return square_rect(x, y).center(); }

QPixmap picture(int code) {
    return QPixmap(QStringLiteral(":/pictures/") + QString::fromLatin1(picture_holder_name(code)) +
                   QStringLiteral(".png"));
}

}  // namespace

// The board and the pieces beside it, drawn from the editing's position.
class PositionEditorBoard : public QWidget {
public:
    PositionEditorBoard(const PositionEditing& editing, QWidget* parent)
        : QWidget(parent), editing_(editing) {
        setFixedSize(BoardWidth, BoardHeight);
    }
    std::function<void(QPoint at, bool rightButton)> onClick;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), colour(LineColor));
        const QPixmap empty = picture(PieceEmpty);
        for (int x = 1; x <= BoardFiles; ++x)
            for (int y = 1; y <= BoardRanks; ++y) painter.drawPixmap(square_rect(x, y), empty);
        draw_lines(painter);
        for (int x = 1; x <= BoardFiles; ++x)
            for (int y = 1; y <= BoardRanks; ++y)
                if (editing_.board()[x][y] != PieceEmpty)
                    draw_piece(painter, editing_.board()[x][y], square_rect(x, y));
        for (const int kind : PaletteKinds)
            for (const int code : {kind, -kind}) draw_piece(painter, code, piece_rect(code));
        painter.setPen(QPen(colour(ColorLightRed), 2));
        const Square chosen = editing_.chosen_square();
        if (chosen.x != 0) painter.drawRect(square_rect(chosen.x, chosen.y).adjusted(1, 1, -2, -2));
        if (editing_.chosen_piece() != PieceEmpty)
            painter.drawRect(piece_rect(editing_.chosen_piece()).adjusted(1, 1, -2, -2));
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (onClick) onClick(event->position().toPoint(), event->button() == Qt::RightButton);
    }

private:
    // The ruled lines through the squares' centres: the river cuts the inner
    // files, and the palaces have their diagonals.
    static void draw_lines(QPainter& painter) {
        painter.setPen(QPen(colour(LineColor), 1));
        for (int y = 1; y <= BoardRanks; ++y) painter.drawLine(centre_of(1, y), centre_of(BoardFiles, y));
        for (int x = 1; x <= BoardFiles; ++x) {
            const bool edge = x == 1 || x == BoardFiles;
            painter.drawLine(centre_of(x, 1), centre_of(x, edge ? BoardRanks : LastComRank));
            if (!edge) painter.drawLine(centre_of(x, LastComRank + 1), centre_of(x, BoardRanks));
        }
        for (const int top : {ComPalaceTop, ManPalaceTop}) {
            const int bottom = top + 2;
            painter.drawLine(centre_of(PalaceLeftFile, top), centre_of(PalaceRightFile, bottom));
            painter.drawLine(centre_of(PalaceRightFile, top), centre_of(PalaceLeftFile, bottom));
        }
    }
    // Round pieces: the lines stay visible around them.
    static void draw_piece(QPainter& painter, int code, const QRect& place) {
        QPainterPath round;
        round.addEllipse(QRectF(place).adjusted(0.5, 0.5, -0.5, -0.5));
        painter.save();
        painter.setClipPath(round);
        painter.drawPixmap(place, picture(code));
        painter.restore();
    }

    const PositionEditing& editing_;
};

PositionEditorDialog::PositionEditorDialog(const BoardArray& board, bool topToMove, Dialogs& dialogs,
                                           QWidget* parent)
    : QDialog(parent),
      editing_(board, topToMove),
      dialogs_(dialogs),
      board_(new PositionEditorBoard(editing_, this)),
      armyToMove_(new QPushButton(this)) {
    setWindowTitle(QString::fromUtf8(PositionEditorTitle));
    setModal(true);
    board_->onClick = [this](QPoint at, bool rightButton) { clicked(at, rightButton); };

    auto* buttons = new QHBoxLayout;
    const auto add = [&](QPushButton* button, const char* name, const char* caption, auto run) {
        if (caption) button->setText(QString::fromUtf8(caption));
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, run);
        buttons->addWidget(button);
    };
    add(new QPushButton(this), "FullSet", FullSetCaption, [this] {
        editing_.set_full_set();
        board_->update();
    });
    add(new QPushButton(this), "Clear", ClearCaption, [this] {
        editing_.clear_board();
        board_->update();
    });
    add(armyToMove_, "ArmyToMove", nullptr, [this] {
        editing_.switch_army_to_move();
        show_army_to_move();
    });
    add(new QPushButton(this), "Finish", FinishCaption, [this] { finish(); });
    add(new QPushButton(this), "Cancel", CancelCaption, [this] { reject(); });
    show_army_to_move();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(board_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* PositionEditorDialog::board_view() const { return board_; }
QPoint PositionEditorDialog::square_centre(int x, int y) { return centre_of(x, y); }
QPoint PositionEditorDialog::piece_centre(int code) { return piece_rect(code).center(); }

void PositionEditorDialog::clicked(QPoint at, bool rightButton) {
    for (int x = 1; x <= BoardFiles; ++x)
        for (int y = 1; y <= BoardRanks; ++y) {
            if (!square_rect(x, y).contains(at)) continue;
            if (rightButton)
                editing_.remove_piece(x, y);
            else
                editing_.click_square(x, y);
            board_->update();
            return;
        }
    for (const int kind : PaletteKinds)
        for (const int code : {kind, -kind})
            if (!rightButton && piece_rect(code).contains(at)) {
                editing_.choose_piece(code);
                board_->update();
                return;
            }
}

void PositionEditorDialog::finish() {
    const PositionCheck check = editing_.check();
    if (!check.good()) {
        dialogs_.message_box(check.text, PositionEditorTitle, Buttons::OK, BoxIcon::Warning);
        return;
    }
    accept();
}

void PositionEditorDialog::show_army_to_move() {
    armyToMove_->setText(QString::fromUtf8(editing_.top_to_move() ? TopToMoveCaption : BottomToMoveCaption));
}

bool QtPositionEditor::edit_position(BoardArray& board, bool& topToMove) {
    PositionEditorDialog dialog(board, topToMove, dialogs_, owner_);
    if (dialog.exec() != QDialog::Accepted) return false;
    board = dialog.editing().board();
    topToMove = dialog.editing().top_to_move();
    return true;
}

}  // namespace zenko
