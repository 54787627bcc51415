// The engine levels in the window: greyed out without an engine, and with a
// real engine process that thinks slowly, a window that keeps its clock
// running and leaves no engine process behind.
#include <gtest/gtest.h>

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <string>

#include "fakes.h"
#include "ui/key_codes.h"
#include "ui/qt/main_window.h"
#include "window/qt_test_support.h"

namespace zenko {
namespace {

using testing::enter_folder_with_sounds;

struct WindowInFolder : ::testing::Test {
    QTemporaryDir folder;
    QString previousFolder = QDir::currentPath();
    testing::RecordingSound sound;
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        enter_folder_with_sounds(folder);
    }
    void TearDown() override { QDir::setCurrent(previousFolder); }
};

TEST_F(WindowInFolder, WithoutAnEngineItsItemsAreGreyedOutAndSayWhy) {
    MainWindow window(sound, {""});
    for (const char* name : {"LEVEL4", "LEVEL5", "LEVEL6", "HINT"}) {
        SCOPED_TRACE(name);
        const QAction* item = window.findChild<QAction*>(name);
        ASSERT_NE(item, nullptr);
        EXPECT_FALSE(item->isEnabled());
        EXPECT_EQ(item->toolTip().toStdString(), "思考ｴﾝｼﾞﾝ (fairy-stockfish) が見つかりません");
    }
    EXPECT_TRUE(window.findChild<QMenu*>("LEVEL")->toolTipsVisible());
    EXPECT_TRUE(window.findChild<QMenu*>("TAIKYOKU")->toolTipsVisible());
    for (const char* name : {"LEVEL1", "LEVEL2", "LEVEL3", "SENTE"})
        EXPECT_TRUE(window.findChild<QAction*>(name)->isEnabled()) << name;
}

// The process id an engine script wrote into the test's folder.
std::string engine_pid(const QString& pidFile) {
    QFile file(pidFile);
    if (!file.open(QIODevice::ReadOnly)) return "";
    return file.readAll().trimmed().toStdString();
}

bool running(const std::string& pid) { return !pid.empty() && std::filesystem::exists("/proc/" + pid); }

TEST_F(WindowInFolder, TheClockRunsWhileTheEngineThinksAndNoEngineOutlivesTheGame) {
    const QString pidFile = folder.filePath("slow_engine.pid");
    std::string pid;
    {
        MainWindow window(sound, {ZENKO_SOURCE_DIR "/tests/window/slow_engine"});
        ASSERT_TRUE(window.start());
        window.findChild<QAction*>("LEVEL4")->trigger();
        window.findChild<QAction*>("GOTE")->trigger();  // the computer opens
        EXPECT_TRUE(window.form().computer_thinking());
        QTest::qWait(300);
        const QImage thinking = window.canvas().image().copy();
        QTest::qWait(1200);
        EXPECT_TRUE(window.form().computer_thinking()) << "the slow engine answered";
        EXPECT_NE(window.canvas().image(), thinking) << "the clock display stood still";
        EXPECT_GE(window.form().clock().ShownSeconds, 1);

        pid = engine_pid(pidFile);
        EXPECT_TRUE(running(pid)) << "the engine never ran";
        window.forward([&] { window.form().Form_KeyDown(KeyEscape, 0); });
        EXPECT_TRUE(window.finished());
    }
    EXPECT_FALSE(running(pid)) << "the engine outlived the game";
}

// An engine slow to start is started and ended in the background: while it
// takes 3 s over its handshake the clock runs and a menu opens, and quitting
// meanwhile leaves no engine behind.
TEST_F(WindowInFolder, AnEngineSlowToStartNeitherHoldsTheWindowNorOutlivesIt) {
    const QString pidFile = folder.filePath("slow_start_engine.pid");
    std::string pid;
    {
        MainWindow window(sound, {ZENKO_SOURCE_DIR "/tests/window/slow_start_engine"});
        ASSERT_TRUE(window.start());
        window.findChild<QAction*>("LEVEL5")->trigger();
        QElapsedTimer took;
        took.start();
        window.findChild<QAction*>("GOTE")->trigger();
        EXPECT_LT(took.elapsed(), 150) << "the start of the engine held the window";
        QTest::qWait(300);
        const QImage before = window.canvas().image().copy();
        QMenu* options = window.findChild<QMenu*>("OPTION");
        options->popup(window.mapToGlobal(QPoint(0, 0)));
        QTest::qWait(1200);
        EXPECT_TRUE(options->isVisible()) << "the menu did not open";
        options->close();
        EXPECT_NE(window.canvas().image(), before) << "the clock display stood still";
        EXPECT_TRUE(window.form().computer_thinking());
        pid = engine_pid(pidFile);
        EXPECT_TRUE(running(pid)) << "the engine never ran";
        took.restart();
        window.forward([&] { window.form().Form_KeyDown(KeyEscape, 0); });
        EXPECT_LT(took.elapsed(), 150) << "quitting waited for the engine";
    }
    EXPECT_FALSE(running(pid)) << "the engine outlived the game";
}

// Started from another folder, the installed game's record panel lists its
// data folder, where the settings and the kept game are too.
TEST_F(WindowInFolder, AnInstalledGamesRecordPanelShowsItsDataFolder) {
    const QString sounds = folder.filePath("installed");
    ASSERT_TRUE(QDir().mkpath(sounds));
    QFile(sounds + "/BGM.wav").open(QIODevice::WriteOnly);
    const char* previous = std::getenv("XDG_DATA_HOME");
    const std::string saved = previous ? previous : "";
    setenv("XDG_DATA_HOME", folder.filePath("data").toUtf8().constData(), 1);
    MainWindow window(sound, {""});
    ASSERT_TRUE(window.enter_player_data_folder(QFile::encodeName(sounds).toStdString()));
    const std::string data = folder.filePath("data/zenko").toStdString();
    EXPECT_EQ(window.panel().dir_path(), data);
    EXPECT_EQ(window.panel().file_path(), data);
    if (previous)
        setenv("XDG_DATA_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace zenko
