// The game as a native Wayland client. These tests run when the test program
// itself runs on Qt's wayland platform: the ctest entry WaylandSession starts
// it so under a headless weston (tests/window/under_weston). Elsewhere they
// are skipped.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <csignal>

#include "fakes.h"
#include "ui/qt/main_window.h"
#include "ui/qt/outside_close.h"
#include "window/qt_test_support.h"

namespace zenko {
namespace {

using testing::enter_folder_with_sounds;

class WaylandSession : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString previousFolder = QDir::currentPath();

    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("wayland"))
            GTEST_SKIP() << "runs on a Wayland compositor: ctest -R WaylandSession";
        ASSERT_TRUE(folder.isValid());
        enter_folder_with_sounds(folder);
    }
    void TearDown() override { QDir::setCurrent(previousFolder); }
};

// Answers each message box with its first button once the compositor has
// shown it, keeping its title; a box never shown is answered after 5 s and
// noted as such.
class ShownBoxes {
public:
    QStringList titles;
    ShownBoxes() {
        elapsed_.start();
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            const bool shown = box->windowHandle() != nullptr && box->windowHandle()->isExposed();
            if (!shown && elapsed_.elapsed() - since_ < 5000) return;
            titles << (shown ? box->windowTitle() : QStringLiteral("(never shown)"));
            box->buttons().first()->click();
        });
        timer_.start(10);
    }
    // Starts the 5 s wait for the next box.
    void expect_one() { since_ = elapsed_.elapsed(); }

private:
    QTimer timer_;
    QElapsedTimer elapsed_;
    qint64 since_ = 0;
};

TEST_F(WaylandSession, TheWindowDrawsTakesClicksOpensMenusAndBoxesAndCloses) {
    testing::RecordingSound sound;
    ShownBoxes boxes;
    MainWindow window(sound);
    ASSERT_TRUE(window.start());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    const qsizetype timers = window.findChildren<QTimer*>().size();
    close_when_destroyed_outside(window);
    EXPECT_EQ(window.findChildren<QTimer*>().size(), timers) << "the X11 window watch runs on Wayland";

    // Crisp: the window paints the retained image at whole device pixels, unscaled.
    const QImage painted = window.canvas().grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(painted.size(), window.canvas().image().size());
    EXPECT_TRUE(painted == window.canvas().image().convertToFormat(QImage::Format_RGB32));

    boxes.expect_one();
    window.findChild<QAction*>("START")->trigger();  // two people: "先手の番です"
    const QPoint cannon((grid_to_twips_x(8) + SquareWidth / 2) / TwipsPerPixel,
                        (grid_to_twips_y(8) + SquareHeight / 2) / TwipsPerPixel);
    QTest::mouseClick(
        &window.canvas(), Qt::LeftButton, Qt::NoModifier,
        QPointF(cannon * window.canvas().scale()).toPoint() + window.canvas().origin().toPoint());
    EXPECT_NE(window.form().selection().SelectState, 0) << "the click did not choose the cannon";

    QMenu* game = window.findChild<QMenu*>("TAIKYOKU");
    ASSERT_NE(game, nullptr);
    QTest::mouseClick(window.menuBar(), Qt::LeftButton, Qt::NoModifier,
                      window.menuBar()->actionGeometry(game->menuAction()).center());
    EXPECT_TRUE(QTest::qWaitForWindowExposed(game)) << "the menu did not open";
    game->close();

    boxes.expect_one();
    window.findChild<QAction*>("VER")->trigger();
    EXPECT_EQ(boxes.titles, QStringList({" ", "その他"}));

    window.close();
    EXPECT_TRUE(window.finished());
}

// The real program on the compositor ends normally on SIGTERM, as a logout
// ends it.
TEST_F(WaylandSession, TheProgramEndsOnSigterm) {
    QProcess program;
    testing::start_real_program(program, folder.path(), {});
    ASSERT_TRUE(program.waitForStarted(10000));
    testing::await_signal_handling(program);
    QTest::qWait(1000);  // up on the compositor, and the X11 watch would have looked twice
    ASSERT_EQ(program.state(), QProcess::Running) << "the program ended by itself";
    ASSERT_TRUE(testing::end_with_signal(program, SIGTERM)) << "the program ignored SIGTERM";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
}

}  // namespace
}  // namespace zenko
