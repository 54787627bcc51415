// The move list beside the board, the keys, the position editor's window
// and the first window on a small screen, with the real window on the
// offscreen platform.
#include <gtest/gtest.h>

#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTimer>

#include "long_game.h"
#include "record/saved_game.h"
#include "ui/qt/position_editor.h"
#include "ui/qt/review_view.h"
#include "window/shown_window.h"

namespace zenko::testing {
namespace {

class MoveListWindow : public ShownWindowTest {
protected:
    Form1& form() { return window->form(); }
    MoveListPanel& list() { return window->move_list(); }
    QString text(int ply) { return list().index_of(ply).data().toString(); }
    bool current(int ply) {
        return list().index_of(ply).data(Qt::BackgroundRole).value<QColor>() == QColor(0, 0, 128);
    }
    bool grey(int ply) {
        return list().index_of(ply).data(Qt::ForegroundRole).value<QColor>() == QColor(150, 150, 150);
    }
    void click_move(int ply) {
        QTableView* table = list().table();
        table->scrollTo(list().index_of(ply));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualRect(list().index_of(ply)).center());
    }
    // The offscreen platform leaves no window active after a box closed.
    void press(Qt::Key key) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(&canvas(), key);
    }
    PositionEditorDialog* editor() {
        return dynamic_cast<PositionEditorDialog*>(QApplication::activeModalWidget());
    }
};

// The list follows the moves played; after 戻 the move on the board is
// highlighted and the one after it grey; the notation follows 表記; a click
// and the keys go to a move.
TEST_F(MoveListWindow, FollowsThePlayShowsTheMoveOnTheBoardAndGoesToAMoveClicked) {
    choose("START");
    const Square moves[][2] = {{{8, 8}, {5, 8}}, {{8, 1}, {7, 3}}, {{8, 10}, {7, 8}}};
    for (const auto& [from, to] : moves) {
        click(from.x, from.y);
        click(to.x, to.y);
    }
    EXPECT_EQ(list().table()->model()->rowCount(), 3) << "the start and two lines";
    EXPECT_EQ(text(3), "３八馬");
    choose("REPLAY");
    EXPECT_TRUE(current(2));
    EXPECT_TRUE(grey(3));
    const char* const notations[][2] = {
        {"WXF", "C2.5"}, {"CHUUGOKUSHIKI", "炮二平五"}, {"NIHONSHIKI", "５八炮"}};
    for (const auto& [item, first] : notations) {
        choose(item);
        EXPECT_EQ(text(1), QString::fromUtf8(first)) << item;
    }
    click_move(1);
    EXPECT_EQ(form().history().HistoryPos, 1);
    EXPECT_TRUE(current(1));
    click_move(0);
    EXPECT_EQ(form().history().HistoryPos, 0);
    EXPECT_EQ(form().engine().board(), [] {
        Engine e;
        e.初期配置();
        return e.board();
    }());
    press(Qt::Key_End);
    EXPECT_EQ(form().history().HistoryPos, 3);
    press(Qt::Key_Left);
    EXPECT_TRUE(current(2));
}

// 棋譜一覧 takes the list away and the window narrows by its width; the
// drawing keeps its size.
TEST_F(MoveListWindow, HidingTheListNarrowsTheWindowByItsWidth) {
    const QSize canvasSize = canvas().size(), windowSize = window->size();
    choose("KIFU_ICHIRAN");
    EXPECT_FALSE(list().isVisible());
    EXPECT_EQ(window->width(), windowSize.width() - MoveListWidthPixels);
    EXPECT_EQ(canvas().size(), canvasSize);
    choose("KIFU_ICHIRAN");
    EXPECT_EQ(window->size(), windowSize);
    EXPECT_EQ(canvas().size(), canvasSize);
}

// A long record: the move on the board stays in view, with the record's
// comment on it under the list.
TEST_F(MoveListWindow, ALongRecordKeepsTheMoveShownInViewWithItsComment) {
    SavedGame game;
    Engine fullSet;
    fullSet.初期配置();
    game.origin.board = fullSet.board();
    game.moves = long_game(300);
    game.recordMode = FlagOn;
    game.notes.Comments = {"開局の前", "", "二手目の後で長い説明が続きます。"};
    window->forward([&] {
        form().restore_history(game);
        form().open_kept_game_as_record();
    });
    QPlainTextEdit* comment = list().comment();
    EXPECT_TRUE(comment->isVisible());
    EXPECT_EQ(comment->toPlainText(), "開局の前");
    press(Qt::Key_End);
    ASSERT_EQ(form().history().HistoryPos, 300);
    QTableView* table = list().table();
    EXPECT_TRUE(table->viewport()->rect().contains(table->visualRect(list().index_of(300))));
    EXPECT_EQ(comment->toPlainText(), "");
    click_move(2);
    EXPECT_EQ(comment->toPlainText(), "二手目の後で長い説明が続きます。");
}

// A reviewed game: the marks beside the moves, the curve under the list,
// the better move outlined and written for a marked move, the summary; a
// click on the curve goes to the move there.
TEST_F(MoveListWindow, AReviewShowsItsMarksCurveAndBetterMove) {
    SavedGame game;
    Engine fullSet;
    fullSet.初期配置();
    game.origin.board = fullSet.board();
    game.moves = {{8, 8, 5, 8, 0, ManCannon, ManCannon},
                  {8, 3, 5, 3, 0, ComCannon, ComCannon},
                  {8, 10, 7, 8, 0, ManHorse, ManHorse},
                  {8, 1, 7, 3, 0, ComHorse, ComHorse}};
    game.recordMode = FlagOn;
    game.notes.Review = {{true, 0.5, NoReviewMark, {}},
                         {true, 0.5, NoReviewMark, {}},
                         {true, 0.5, NoReviewMark, {{2, 10, 3, 8}, {8, 1, 7, 3}}},
                         {true, 0.1, MarkBlunder, {}},
                         {true, 0.1, NoReviewMark, {}}};
    window->forward([&] {
        form().restore_history(game);
        form().open_kept_game_as_record();
    });
    EXPECT_EQ(text(3), "３八馬 ??");
    ReviewView* review = list().review();
    ASSERT_TRUE(review->isVisible());
    EXPECT_FALSE(review->progress()->isVisible());
    click_move(3);
    EXPECT_EQ(review->advice()->text().toStdString(),
              "最善: ７八馬\n読み筋: ７八馬 ３三馬\n下: ?! 0  ? 0  ?? 1  正確度 57.5\n上: ?! 0  ? 0  ?? 0  "
              "正確度 100.0");
    EXPECT_EQ((std::array{form().engine_turn().HintFromX, form().engine_turn().HintToY}), (std::array{2, 8}));
    QWidget* curve = reinterpret_cast<QWidget*>(review->curve());
    QTest::mouseClick(curve, Qt::LeftButton, {}, QPoint(1, curve->height() / 2));
    EXPECT_EQ(form().history().HistoryPos, 0);
}

// The editor's board takes pieces from beside it, 完了 refuses a wrong
// position with a box and the editing goes on, and a good one is set up.
TEST_F(MoveListWindow, ThePositionEditorSetsUpWhatIsPutOnItsBoard) {
    bool refusedAndStillOpen = false;
    QTimer::singleShot(0, [&] {
        PositionEditorDialog* dialog = editor();
        ASSERT_NE(dialog, nullptr);
        const auto press_button = [&](const char* name) {
            QTest::mouseClick(dialog->findChild<QPushButton*>(name), Qt::LeftButton);
        };
        const auto at = [&](QPoint point, Qt::MouseButton button = Qt::LeftButton) {
            QTest::mouseClick(dialog->board_view(), button, {}, point);
        };
        const auto put = [&](int code, int x, int y) {
            at(PositionEditorDialog::piece_centre(code));
            at(PositionEditorDialog::square_centre(x, y));
            at(PositionEditorDialog::piece_centre(code));  // put away
        };
        press_button("Clear");
        press_button("Finish");  // no generals: a box, and the editing goes on
        refusedAndStillOpen = dialog->isVisible();
        put(ComGeneral, 5, 1);
        put(ManGeneral, 4, 10);
        put(ManChariot, 1, 10);
        at(PositionEditorDialog::square_centre(1, 10));  // moved
        at(PositionEditorDialog::square_centre(6, 10));
        put(ManSoldier, 5, 7);
        put(ManSoldier, 9, 4);
        at(PositionEditorDialog::square_centre(9, 4), Qt::RightButton);  // taken off
        press_button("ArmyToMove");
        EXPECT_EQ(dialog->findChild<QPushButton*>("ArmyToMove")->text(), "手番: 上");
        press_button("Finish");
    });
    choose("HENSYU");
    EXPECT_TRUE(refusedAndStillOpen);
    Engine expected;
    expected.set_fen("4k4/9/9/9/9/9/4P4/9/9/3K1R3");
    EXPECT_EQ(form().engine().board(), expected.board());
    EXPECT_TRUE(form().history().HistoryOrigin.topMovesFirst);
}

// Escape is 取消: the game stays as it was, and goes on.
TEST_F(MoveListWindow, EscapeInThePositionEditorChangesNothing) {
    const BoardArray before = form().engine().board();
    QTimer::singleShot(0, [&] {
        ASSERT_NE(editor(), nullptr);
        QTest::mouseClick(editor()->findChild<QPushButton*>("Clear"), Qt::LeftButton);
        QTest::keyClick(editor(), Qt::Key_Escape);
    });
    choose("HENSYU");
    EXPECT_EQ(form().engine().board(), before);
    EXPECT_FALSE(window->finished()) << "the game's own Escape did not run";
}

TEST_F(MoveListWindow, TheFirstWindowFitsTheScreenItOpensOn) {
    EXPECT_TRUE(window->screen()->availableGeometry().contains(window->frameGeometry()));
}

// Where the designed size does not fit (this runs again at QT_SCALE_FACTOR=2
// on a 1600x1000 screen, 800x500 pixels, whose frame is not known before the
// window shows), the window comes up scaled down, the drawing with it.
TEST_F(MoveListWindow, OnASmallScreenTheFirstWindowComesUpScaledDown) {
    // Room for the drawing, the menu bar and any window frame: nothing to test.
    if (window->screen()->availableGeometry().height() >= ClientHeightPixels + 100)
        GTEST_SKIP() << "the screen has room for the designed size";
    EXPECT_LT(canvas().scale(), 1.0);
    EXPECT_EQ(canvas().image().size(), canvas().size() * canvas().pixel_ratio());
    choose("START");
    click(8, 8);
    EXPECT_EQ(form().selection().SelectState, 1) << "the scaled square takes the click";
}

}  // namespace
}  // namespace zenko::testing
