// The move list beside the board, the keys that move through the game, the
// position editor's window and the first window on a small screen, with the
// real window on the offscreen platform.
#include <gtest/gtest.h>

#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QWindow>

#include "long_game.h"
#include "record/saved_game.h"
#include "ui/qt/position_editor.h"
#include "window/shown_window.h"

namespace zenko::testing {
namespace {

const QColor CurrentBackground(0, 0, 128);
const QColor AheadText(150, 150, 150);

class MoveListWindow : public ShownWindowTest {
protected:
    Form1& form() { return window->form(); }
    MoveListPanel& list() { return window->move_list(); }
    QVariant cell(int ply, int role = Qt::DisplayRole) { return list().index_of(ply).data(role); }
    bool current(int ply) { return cell(ply, Qt::BackgroundRole).value<QColor>() == CurrentBackground; }
    bool ahead(int ply) { return cell(ply, Qt::ForegroundRole).value<QColor>() == AheadText; }
    void click_move(int ply) {
        QTableView* table = list().table();
        const QModelIndex index = list().index_of(ply);
        table->scrollTo(index);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(index).center());
    }
    // A key pressed on the window, made active again after the boxes that
    // closed (the offscreen platform leaves no window active then).
    void press(Qt::Key key) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(&canvas(), key);
    }
    void move(int fromX, int fromY, int toX, int toY) {
        click(fromX, fromY);
        click(toX, toY);
    }
    // A loaded record of `length` moves at its start, with comments before
    // the first move and after the second.
    void load_long_record(int length) {
        SavedGame game;
        Engine fullSet;
        fullSet.初期配置();
        game.origin.board = fullSet.board();
        game.moves = long_game(length);
        game.recordMode = FlagOn;
        game.notes.Comments = {"開局の前", "", "二手目の後で長い説明が続きます。"};
        window->forward([&] {
            window->form().restore_history(game);
            window->form().open_kept_game_as_record();
        });
    }
};

TEST_F(MoveListWindow, TheListFollowsThePlayAndGreysTheMovesAheadAfterTakeBack) {
    choose("START");
    move(8, 8, 5, 8);
    move(8, 1, 7, 3);
    move(8, 10, 7, 8);
    move(9, 1, 8, 1);
    ASSERT_EQ(list().table()->model()->rowCount(), 3) << "the start and two lines";
    EXPECT_EQ(cell(1).toString(), "５八炮");
    EXPECT_EQ(cell(4).toString(), "２一車");
    EXPECT_TRUE(current(4));
    EXPECT_FALSE(ahead(4));

    choose("REPLAY");
    EXPECT_TRUE(current(3));
    EXPECT_TRUE(ahead(4));
    EXPECT_EQ(cell(4).toString(), "２一車") << "kept until replaced";

    const struct {
        const char* item;
        const char* first;
    } notations[] = {{"WXF", "C2.5"}, {"CHUUGOKUSHIKI", "炮二平五"}, {"NIHONSHIKI", "５八炮"}};
    for (const auto& n : notations) {
        choose(n.item);
        EXPECT_EQ(cell(1).toString(), QString::fromUtf8(n.first)) << n.item;
        EXPECT_TRUE(current(3)) << n.item;
    }
}

// A click shows the position after the move clicked, the line before the
// first move the start; the keys step and jump.
TEST_F(MoveListWindow, AClickOnAMoveAndTheKeysMoveThroughTheGame) {
    choose("START");
    move(8, 8, 5, 8);
    move(8, 1, 7, 3);
    move(8, 10, 7, 8);
    const BoardArray afterTwo = [&] {
        Engine e;
        e.初期配置();
        e.駒移動(8, 8, 5, 8, ManCannon);
        e.駒移動(8, 1, 7, 3, ComHorse);
        return e.board();
    }();
    click_move(2);
    EXPECT_EQ(form().history().HistoryPos, 2);
    EXPECT_EQ(form().engine().board(), afterTwo);
    EXPECT_EQ(form().play().Turn, NoGame);
    EXPECT_TRUE(current(2));
    click_move(0);
    EXPECT_EQ(form().history().HistoryPos, 0);
    EXPECT_TRUE(current(0));

    const struct {
        Qt::Key key;
        int pos;
    } keys[] = {{Qt::Key_End, 3}, {Qt::Key_Left, 2}, {Qt::Key_Home, 0}, {Qt::Key_Right, 1}};
    for (const auto& k : keys) {
        press(k.key);
        EXPECT_EQ(form().history().HistoryPos, k.pos) << k.key;
        EXPECT_TRUE(current(k.pos)) << k.key;
    }
}

// 棋譜一覧 takes the list away and the window narrows by its width; the
// drawing keeps its size.
TEST_F(MoveListWindow, HidingTheListNarrowsTheWindowByItsWidth) {
    const QSize canvasSize = canvas().size(), windowSize = window->size();
    choose("KIFU_ICHIRAN");
    QTest::qWait(50);
    EXPECT_FALSE(list().isVisible());
    EXPECT_FALSE(form().options().KIFU_ICHIRAN.Checked);
    EXPECT_EQ(window->width(), windowSize.width() - MoveListWidthPixels);
    EXPECT_EQ(canvas().size(), canvasSize);
    choose("KIFU_ICHIRAN");
    QTest::qWait(50);
    EXPECT_TRUE(list().isVisible());
    EXPECT_EQ(window->size(), windowSize);
    EXPECT_EQ(canvas().size(), canvasSize);
}

// A long record: the list keeps the move on the board in view, and shows
// the record's comment on it.
TEST_F(MoveListWindow, ALongRecordKeepsTheCurrentMoveInViewWithItsComment) {
    load_long_record(300);
    ASSERT_EQ(form().history().HistoryLen, 300);
    QPlainTextEdit* comment = list().comment();
    EXPECT_TRUE(comment->isVisible());
    EXPECT_EQ(comment->toPlainText(), "開局の前");
    press(Qt::Key_End);
    EXPECT_EQ(form().history().HistoryPos, 300);
    QTableView* table = list().table();
    EXPECT_TRUE(table->viewport()->rect().contains(table->visualRect(list().index_of(300))));
    EXPECT_EQ(comment->toPlainText(), "");
    click_move(2);
    EXPECT_EQ(comment->toPlainText(), "二手目の後で長い説明が続きます。");
    EXPECT_EQ(form().history().RecordMode, FlagOn);
}

// The editor's board takes pieces from beside it, 完了 refuses a wrong
// position with a box and keeps editing, and a good one is set up.
TEST_F(MoveListWindow, ThePositionEditorSetsUpWhatIsPutOnItsBoard) {
    bool refusedAndStillOpen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = dynamic_cast<PositionEditorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        QWidget* board = dialog->board_view();
        const auto press = [&](const char* button) {
            QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
        };
        const auto put = [&](int code, int x, int y) {
            QTest::mouseClick(board, Qt::LeftButton, {}, PositionEditorDialog::piece_centre(code));
            QTest::mouseClick(board, Qt::LeftButton, {}, PositionEditorDialog::square_centre(x, y));
            QTest::mouseClick(board, Qt::LeftButton, {}, PositionEditorDialog::piece_centre(code));
        };
        press("Clear");
        press("Finish");  // no generals: a box, and the editing goes on
        refusedAndStillOpen = dialog->isVisible();
        put(ComGeneral, 5, 1);
        put(ManGeneral, 4, 10);
        put(ManChariot, 1, 10);
        QTest::mouseClick(board, Qt::LeftButton, {}, PositionEditorDialog::square_centre(1, 10));
        QTest::mouseClick(board, Qt::LeftButton, {}, PositionEditorDialog::square_centre(6, 10));
        put(ManSoldier, 5, 7);
        put(ManSoldier, 9, 4);
        QTest::mouseClick(board, Qt::RightButton, {}, PositionEditorDialog::square_centre(9, 4));
        press("ArmyToMove");
        EXPECT_EQ(dialog->findChild<QPushButton*>("ArmyToMove")->text(), "手番: 上");
        press("Finish");
    });
    choose("HENSYU");
    EXPECT_TRUE(refusedAndStillOpen);
    Engine expected;
    ASSERT_TRUE(expected.set_fen("4k4/9/9/9/9/9/4P4/9/9/3K1R3"));
    EXPECT_EQ(form().engine().board(), expected.board());
    EXPECT_TRUE(form().history().HistoryOrigin.topMovesFirst);
    EXPECT_EQ(form().history().HistoryLen, 0);
}

// Escape leaves the game as it was.
TEST_F(MoveListWindow, EscapeInThePositionEditorChangesNothing) {
    const BoardArray before = form().engine().board();
    QTimer::singleShot(0, [] {
        auto* dialog = dynamic_cast<PositionEditorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        QTest::mouseClick(dialog->findChild<QPushButton*>("Clear"), Qt::LeftButton);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    choose("HENSYU");
    EXPECT_EQ(form().engine().board(), before);
    EXPECT_FALSE(window->finished()) << "the game's Escape did not run";
}

// The window comes up inside the screen's free area.
TEST_F(MoveListWindow, TheFirstWindowFitsTheScreenItOpensOn) {
    const QRect free = window->screen()->availableGeometry();
    EXPECT_TRUE(free.contains(window->frameGeometry()))
        << "frame " << window->frameGeometry().width() << "x" << window->frameGeometry().height() << " in "
        << free.width() << "x" << free.height();
}

// Where the designed size does not fit (this runs again at QT_SCALE_FACTOR=2
// on a 1600x1000 screen, 800x500 pixels, whose frame is not known before the
// window shows), the window comes up scaled down, the drawing with it.
TEST_F(MoveListWindow, OnASmallScreenTheFirstWindowComesUpScaledDown) {
    const QRect free = window->screen()->availableGeometry();
    // Room for the drawing, the menu bar and any window frame: nothing to test.
    if (free.height() >= ClientHeightPixels + 100)
        GTEST_SKIP() << "the screen has room for the designed size";
    EXPECT_TRUE(free.contains(window->frameGeometry()));
    EXPECT_LT(canvas().scale(), 1.0);
    EXPECT_EQ(canvas().image().size(), canvas().size() * canvas().pixel_ratio());
    EXPECT_EQ(list().width(), MoveListWidthPixels);
    choose("START");
    click(8, 8);
    EXPECT_EQ(form().selection().SelectState, 1) << "the scaled square takes the click";
}

}  // namespace
}  // namespace zenko::testing
