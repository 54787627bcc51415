// Pictures of the window for a person to look at, written only when
// ZENKO_SCREENSHOT_DIR names a folder (run under xvfb-run, with
// QT_QPA_PLATFORM=xcb and QT_SCALE_FACTOR 1 or 2): every background, a game
// against the computer with outlines and move texts, a window grown to
// 900 by 800, a handicap caption, the record panel and a loaded record;
// with an engine, a game at LEVEL4 while it thinks and after its reply, and
// a hint.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <array>

#include "fakes.h"
#include "ui/qt/main_window.h"
#include "window/qt_test_support.h"

namespace zenko {
namespace {

// A fresh folder with the sound files to run the window in, left again at
// the end; every message box is answered as soon as it shows.
struct ScreenshotFolder {
    QTemporaryDir folder;
    const QString previous = QDir::currentPath();
    testing::BoxCloser boxCloser{50};
    ScreenshotFolder() { testing::enter_folder_with_sounds(folder); }
    ~ScreenshotFolder() { QDir::setCurrent(previous); }
};

TEST(Screenshots, OfEveryBackgroundAGameAndALargeWindow) {
    const QString dir = qEnvironmentVariable("ZENKO_SCREENSHOT_DIR");
    if (dir.isEmpty()) GTEST_SKIP() << "set ZENKO_SCREENSHOT_DIR to write them";
    ScreenshotFolder session;
    QTemporaryDir& folder = session.folder;
    testing::RecordingSound sound;
    MainWindow window(sound);
    ASSERT_TRUE(window.start());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QString ratio = QString::number(window.devicePixelRatioF());
    auto shoot = [&](const QString& name) {
        QTest::qWait(150);
        EXPECT_TRUE(window.grab().save(QStringLiteral("%1/%2@%3.png").arg(dir, name, ratio)));
    };
    auto choose = [&](const char* name) { window.findChild<QAction*>(name)->trigger(); };
    auto click = [&](int x, int y) {
        QTest::mouseClick(&window.canvas(), Qt::LeftButton, Qt::NoModifier,
                          testing::square_centre(window.canvas(), x, y));
        QTest::qWait(300);
    };
    for (const char* background : {"MIDORI", "TATAMI", "TAKE", "UCHU", "RENGA"}) {
        choose(background);
        shoot(QString::fromLatin1(background));
    }
    choose("TATAMI");
    choose("SIDOU");
    choose("SENTE");
    click(8, 8);
    click(5, 8);  // the computer replies with its move outlined
    click(2, 8);  // and a chosen piece with its destinations
    shoot(QStringLiteral("game"));
    window.resize(900, 800);
    shoot(QStringLiteral("resized"));
    window.resize(window.sizeHint());
    choose("MIDORI");
    choose("STOP");
    choose("CANCEL");
    for (int i = 0; i < 4; ++i) choose("LBEL_UP");
    shoot(QStringLiteral("handicap"));
    write_sjis_lines(folder.filePath("一局目.棋譜").toStdString(),
                     {"名人戦第一局", "上手の人", "下手の人", format_move_line(testing::BottomSoldierStep)});
    choose("KIFU_READ");
    auto* files = static_cast<QListWidget*>(window.panel().widget(PanelControl::File1));
    window.panel().refresh_files();
    shoot(QStringLiteral("panel"));
    if (files->count() > 0)
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                          files->visualItemRect(files->item(0)).center());
    shoot(QStringLiteral("record"));
}

TEST(Screenshots, OfAGameAtAnEngineLevelAndAHint) {
    const QString dir = qEnvironmentVariable("ZENKO_SCREENSHOT_DIR");
    if (dir.isEmpty()) GTEST_SKIP() << "set ZENKO_SCREENSHOT_DIR to write them";
    ScreenshotFolder session;
    testing::RecordingSound sound;
    MainWindow window(sound);
    if (!window.form().engine_found()) GTEST_SKIP() << "no engine";
    ASSERT_TRUE(window.start());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QString ratio = QString::number(window.devicePixelRatioF());
    auto shoot = [&](const QString& name) {
        EXPECT_TRUE(window.grab().save(QStringLiteral("%1/%2@%3.png").arg(dir, name, ratio)));
    };
    auto choose = [&](const char* name) { window.findChild<QAction*>(name)->trigger(); };
    auto click = [&](int x, int y) {
        QTest::mouseClick(&window.canvas(), Qt::LeftButton, Qt::NoModifier,
                          testing::square_centre(window.canvas(), x, y));
        QTest::qWait(100);
    };
    auto await_reply = [&] {
        for (int i = 0; i < 100 && window.form().computer_thinking(); ++i) QTest::qWait(100);
    };
    choose("LEVEL4");
    choose("SENTE");
    click(8, 8);
    click(5, 8);
    shoot(QStringLiteral("engine-thinking"));
    await_reply();
    QTest::qWait(150);
    shoot(QStringLiteral("engine-reply"));
    choose("HINT");
    for (int i = 0; i < 100 && window.form().engine_turn().HintFromX == 0; ++i) QTest::qWait(100);
    QTest::qWait(150);
    shoot(QStringLiteral("hint"));
    choose("LEVEL6");
    click(3, 7);
    click(3, 6);
    await_reply();
    QTest::qWait(150);
    shoot(QStringLiteral("engine-level6"));
    QMenu* levels = window.findChild<QMenu*>("LEVEL");
    levels->popup(window.mapToGlobal(QPoint(0, 0)));
    QTest::qWait(200);
    EXPECT_TRUE(levels->grab().save(QStringLiteral("%1/level-menu@%2.png").arg(dir, ratio)));
    levels->hide();
}

// Two people by the standard rules: the caption, a check beside the board.
TEST(Screenshots, OfAGameByTheStandardRules) {
    const QString dir = qEnvironmentVariable("ZENKO_SCREENSHOT_DIR");
    if (dir.isEmpty()) GTEST_SKIP() << "set ZENKO_SCREENSHOT_DIR to write them";
    ScreenshotFolder session;
    testing::RecordingSound sound;
    MainWindow window(sound, {""});
    ASSERT_TRUE(window.start());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QString ratio = QString::number(window.devicePixelRatioF());
    auto choose = [&](const char* name) { window.findChild<QAction*>(name)->trigger(); };
    auto click = [&](int x, int y) {
        QTest::mouseClick(&window.canvas(), Qt::LeftButton, Qt::NoModifier,
                          testing::square_centre(window.canvas(), x, y));
        QTest::qWait(50);
    };
    choose("HYOUJUN");
    choose("START");
    for (const auto& m :
         {std::array{2, 8, 5, 8}, {8, 3, 5, 3}, {5, 8, 5, 4}}) {  // the cannon takes, checking
        click(m[0], m[1]);
        click(m[2], m[3]);
    }
    QTest::qWait(150);
    EXPECT_TRUE(window.grab().save(QStringLiteral("%1/standard-check@%2.png").arg(dir, ratio)));
}

}  // namespace
}  // namespace zenko
