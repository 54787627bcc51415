// The program against its machine: odd files in place of its input files,
// the signals that end a session, and keys after a menu.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <csignal>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "fakes.h"
#include "game_state.h"
#include "ui/qt/main_window.h"
#include "window/qt_test_support.h"

namespace zenko {
namespace {

using testing::await_signal_handling;
using testing::end_with_signal;
using testing::enter_folder_with_sounds;
using testing::start_real_program;

// Runs the real program in a folder and ends it with a signal. It must come
// up (reach its event loop, where the signal is handled) and then end
// normally; the timeouts are generous, the time taken is only reported.
class RealProgram : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString previousFolder = QDir::currentPath();

    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        enter_folder_with_sounds(folder);
    }
    void TearDown() override { QDir::setCurrent(previousFolder); }

    void replace(const QString& name, const char* kind) {
        const std::string path = folder.filePath(name).toStdString();
        QFile::remove(folder.filePath(name));
        if (std::string(kind) == "fifo")
            ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
        else
            ASSERT_TRUE(QFile::link("/dev/zero", folder.filePath(name)));
    }

    void expect_ends_on(int signalNumber) {
        QProcess program;
        start_real_program(program, folder.path(), {{"QT_QPA_PLATFORM", "offscreen"}});
        ASSERT_TRUE(program.waitForStarted(10000));
        ASSERT_TRUE(await_signal_handling(program)) << "the program never set up its signal handling";
        QTest::qWait(300);  // let it reach its event loop if it can
        QElapsedTimer clock;
        clock.start();
        ASSERT_TRUE(end_with_signal(program, signalNumber))
            << "the program did not come up, or ignored the signal";
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
        std::cout << "[          ] ended " << clock.elapsed() << " ms after the signal\n";
    }
};

TEST_F(RealProgram, EndsOnSigtermSigintAndSighupAsOnClosingTheWindow) {
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signalNumber);
        QFile::remove(folder.filePath("ZENKO中国象棋.ini"));
        expect_ends_on(signalNumber);
        // The settings were written at the start; the window's close released the sound.
        EXPECT_TRUE(QFile::exists(folder.filePath("ZENKO中国象棋.ini")));
    }
}

TEST_F(RealProgram, ComesUpWithAFifoOrAnEndlessDeviceInPlaceOfAnyInputFile) {
    for (const char* name : {"BGM.wav", "駒打音.wav", "ZENKO中国象棋.ini"}) {
        for (const char* kind : {"fifo", "zero"}) {
            SCOPED_TRACE(std::string(name) + " as " + kind);
            enter_folder_with_sounds(folder);
            replace(QString::fromUtf8(name), kind);
            expect_ends_on(SIGTERM);
            QFile::remove(folder.filePath(QString::fromUtf8(name)));
        }
    }
}

std::string file_bytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return "(missing)";
    return file.readAll().toStdString();
}

// A game against the computer is kept; the program started on it asks
// whether to go on and is ended by SIGTERM while it asks, or killed by
// SIGKILL: the kept game stays whole, and the next start answered Yes puts
// back the board, the history, the clocks, the mode and the turn.
TEST_F(RealProgram, AKeptGameOutlivesSigtermAndSigkillAndComesBack) {
    const QString kept = folder.filePath(QString::fromUtf8("ZENKO中国象棋.続き"));
    testing::GameState before;
    {
        testing::FormFixture game;
        game.form.Form_Load();
        game.form.SENTE_Click();
        for (int x : {3, 7}) {
            game.clock.now += 4;
            testing::click_square(game.form, x, 7);
            testing::click_square(game.form, x, 6);
        }
        before = testing::state_of(game.form);
        game.form.OWARI_Click();
    }
    const std::string bytes = file_bytes(kept);
    for (int signalNumber : {SIGTERM, SIGKILL}) {
        SCOPED_TRACE(signalNumber);
        QProcess program;
        start_real_program(program, folder.path(), {{"QT_QPA_PLATFORM", "offscreen"}});
        ASSERT_TRUE(program.waitForStarted(10000));
        await_signal_handling(program);
        QTest::qWait(500);  // the question is up
        ASSERT_TRUE(end_with_signal(program, signalNumber));
        if (signalNumber == SIGTERM) {
            EXPECT_EQ(program.exitCode(), 0);
        }
        EXPECT_EQ(file_bytes(kept), bytes);
    }
    testing::FormFixture next;
    next.form.Form_Load();  // Yes
    ASSERT_EQ(next.dialogs.shown.size(), 1u);
    EXPECT_EQ(next.dialogs.shown[0].text, "前回の対局を続けますか？");
    EXPECT_EQ(testing::state_of(next.form), before);
}

// Damaged and foreign files are set aside whole; the program starts as
// usual and ends normally.
TEST_F(RealProgram, SetsADamagedOrForeignKeptGameAside) {
    const QString kept = folder.filePath(QString::fromUtf8("ZENKO中国象棋.続き"));
    for (const std::string& bytes :
         {std::string("ZENKO中国象棋 続き 1\ngame=1 6 7 6 3 0"), std::string("[x]\ny=1\n")}) {
        QFile::remove(kept + ".bad");
        {
            QFile file(kept);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        }
        expect_ends_on(SIGTERM);
        EXPECT_EQ(file_bytes(kept + ".bad"), bytes);
    }
}

// Destroys every mapped top-level window on the display, as a hostile or
// confused client might; returns how many there were.
int destroy_top_level_windows(const QByteArray& display) {
    xcb_connection_t* connection = xcb_connect(display.constData(), nullptr);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return 0;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_query_tree_reply_t* tree =
        xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr);
    int destroyed = 0;
    if (tree != nullptr) {
        const xcb_window_t* children = xcb_query_tree_children(tree);
        for (int i = 0; i < xcb_query_tree_children_length(tree); ++i) {
            xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
                connection, xcb_get_window_attributes(connection, children[i]), nullptr);
            if (attributes != nullptr && attributes->map_state == XCB_MAP_STATE_VIEWABLE) {
                xcb_destroy_window(connection, children[i]);
                ++destroyed;
            }
            std::free(attributes);
        }
        std::free(tree);
    }
    xcb_flush(connection);
    xcb_disconnect(connection);
    return destroyed;
}

// An X server of its own (Xvfb) for one test, without a window manager.
// It does not reset when its last client leaves (-noreset): the test's own
// short connections, made before the game has connected, would otherwise
// reset it just as the game connects, and the game could not.
class XServer {
public:
    QByteArray display;
    XServer() {
        const QString xvfb = QStandardPaths::findExecutable("Xvfb");
        if (xvfb.isEmpty()) return;
        server_.start(xvfb,
                      {"-displayfd", "1", "-noreset", "-screen", "0", "800x600x24", "-nolisten", "tcp"});
        if (!server_.waitForStarted(10000)) return;
        QByteArray number;
        for (int i = 0; i < 200 && !number.contains('\n'); ++i)
            if (server_.waitForReadyRead(100)) number += server_.readAllStandardOutput();
        if (number.contains('\n')) display = ":" + number.trimmed();
    }
    // The server is gone before the next test starts one.
    ~XServer() {
        server_.terminate();
        if (server_.waitForFinished(60000)) return;
        server_.kill();
        server_.waitForFinished(10000);
    }
    // Starts the game in the folder, on this display.
    void start_game(QProcess& program, const QString& folder, const QStringList& arguments = {}) const {
        start_real_program(program, folder,
                           {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", QString::fromLatin1(display)}},
                           arguments);
    }

private:
    QProcess server_;
};

// Calls `done` every tenth of a second until it says so, the game has ended,
// or 90 seconds have passed: a sanitizer build on a busy machine can take
// half a minute to map its window.
template <class Done>
void poll_while_running(const QProcess& program, Done done) {
    for (int i = 0; i < 900 && program.state() == QProcess::Running; ++i) {
        QTest::qWait(100);
        if (done()) return;
    }
}

// On a real X server (Xvfb), another client destroys the game's window: the
// game must end as on closing it.
TEST_F(RealProgram, EndsWhenAnotherClientDestroysItsWindow) {
    XServer x;
    if (x.display.isEmpty()) GTEST_SKIP() << "Xvfb is not installed or did not start";
    QProcess program;
    x.start_game(program, folder.path());
    ASSERT_TRUE(program.waitForStarted(10000));
    int destroyed = 0;
    poll_while_running(program, [&] { return (destroyed = destroy_top_level_windows(x.display)) > 0; });
    EXPECT_GT(destroyed, 0) << "the game's window never appeared";
    const bool ended = program.waitForFinished(20000);
    if (!ended) program.kill();
    ASSERT_TRUE(ended) << "the game ran on without its window";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
}

// The flags of the size hints (WM_NORMAL_HINTS) of the first mapped
// top-level window, and its width; the width stays 0 while there is none.
struct TopLevelWindow {
    uint32_t flags = 0;
    int width = 0;
};
// The flags of a position the program chose (ICCCM 4.1.2.3).
constexpr uint32_t UserPosition = 1u << 0, ProgramPosition = 1u << 2;

TopLevelWindow first_top_level_window(const QByteArray& display) {
    TopLevelWindow found;
    xcb_connection_t* connection = xcb_connect(display.constData(), nullptr);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_query_tree_reply_t* tree =
        xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr);
    for (int i = 0; tree != nullptr && i < xcb_query_tree_children_length(tree) && found.width == 0; ++i) {
        const xcb_window_t window = xcb_query_tree_children(tree)[i];
        xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
            connection, xcb_get_window_attributes(connection, window), nullptr);
        xcb_get_property_reply_t* hints = xcb_get_property_reply(
            connection,
            xcb_get_property(connection, 0, window, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 0, 18),
            nullptr);
        xcb_get_geometry_reply_t* geometry =
            xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
        if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE && hints &&
            xcb_get_property_value_length(hints) >= 4 && geometry) {
            found.flags = *static_cast<const uint32_t*>(xcb_get_property_value(hints));
            found.width = geometry->width;
        }
        std::free(attributes);
        std::free(hints);
        std::free(geometry);
    }
    std::free(tree);
    xcb_disconnect(connection);
    return found;
}

// The window manager places the window (so a second game does not cover the
// first): the game asks for its designed size but for no position of its own.
TEST_F(RealProgram, LeavesThePlaceOfItsWindowToTheWindowManager) {
    XServer x;
    if (x.display.isEmpty()) GTEST_SKIP() << "Xvfb is not installed or did not start";
    QProcess program;
    x.start_game(program, folder.path());
    ASSERT_TRUE(program.waitForStarted(10000));
    TopLevelWindow window;
    poll_while_running(program, [&] { return (window = first_top_level_window(x.display)).width > 0; });
    program.terminate();
    if (!program.waitForFinished(20000)) program.kill();
    ASSERT_GT(window.width, 0) << "the game's window never appeared";
    EXPECT_EQ(window.width, ClientWidthPixels + MoveListWidthPixels);
    EXPECT_EQ(window.flags & (UserPosition | ProgramPosition), 0u)
        << "the program chose the window's position";
}

// The titles (_NET_WM_NAME) of the mapped top-level windows.
std::vector<std::string> top_level_window_titles(const QByteArray& display) {
    std::vector<std::string> titles;
    xcb_connection_t* connection = xcb_connect(display.constData(), nullptr);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return titles;
    }
    const char name[] = "_NET_WM_NAME";
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_query_tree_reply_t* tree =
        xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr);
    for (int i = 0; atom != nullptr && tree != nullptr && i < xcb_query_tree_children_length(tree); ++i) {
        const xcb_window_t window = xcb_query_tree_children(tree)[i];
        xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
            connection, xcb_get_window_attributes(connection, window), nullptr);
        xcb_get_property_reply_t* title = xcb_get_property_reply(
            connection,
            xcb_get_property(connection, 0, window, atom->atom, XCB_GET_PROPERTY_TYPE_ANY, 0, 256), nullptr);
        if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE && title)
            titles.emplace_back(static_cast<const char*>(xcb_get_property_value(title)),
                                static_cast<std::size_t>(xcb_get_property_value_length(title)));
        std::free(attributes);
        std::free(title);
    }
    std::free(tree);
    std::free(atom);
    xcb_disconnect(connection);
    return titles;
}

// `zenko FILE` opens the file at start (a file of two games shows their
// list, titled with its name) instead of offering the kept game, and the run
// leaves the kept game's file as it was, to be offered at the next start.
TEST_F(RealProgram, OpensTheRecordFileItIsGivenAndLeavesTheKeptGameAlone) {
    XServer x;
    if (x.display.isEmpty()) GTEST_SKIP() << "Xvfb is not installed or did not start";
    const QString kept = folder.filePath(QString::fromUtf8("ZENKO中国象棋.続き"));
    {
        testing::FormFixture game;
        game.form.Form_Load();
        game.form.START_Click();
        testing::click_square(game.form, 3, 7);
        testing::click_square(game.form, 3, 6);
    }
    const std::string bytes = file_bytes(kept);
    ASSERT_NE(bytes, "(missing)");
    {
        QFile record(folder.filePath("two.pgn"));
        ASSERT_TRUE(record.open(QIODevice::WriteOnly));
        record.write("[Event \"a\"]\n\n1. h2e2 h9g7 *\n\n[Event \"b\"]\n\n1. b2e2 *\n");
    }
    QProcess program;
    x.start_game(program, folder.path(), {"two.pgn"});
    ASSERT_TRUE(program.waitForStarted(10000));
    bool listed = false;
    poll_while_running(program, [&] {
        const std::vector<std::string> titles = top_level_window_titles(x.display);
        return listed = std::find(titles.begin(), titles.end(), "two.pgn") != titles.end();
    });
    EXPECT_TRUE(listed) << "the list of the file's games never showed";
    program.terminate();
    if (!program.waitForFinished(20000)) program.kill();
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(file_bytes(kept), bytes);
    EXPECT_FALSE(QFile::exists(kept + ".bad"));
}

// A menu closed with Escape leaves the menu bar waiting for keys; the next
// Escape must still end the game at once.
TEST(MenuKeys, EscapeAfterAMenuClosedWithEscapeEndsTheProgram) {
    QTemporaryDir folder;
    const QString previousFolder = QDir::currentPath();
    enter_folder_with_sounds(folder);
    testing::RecordingSound sound;
    {
        MainWindow window(sound);
        ASSERT_TRUE(window.start());
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QAction* first = window.menuBar()->actions().at(0);
        QTest::mouseClick(window.menuBar(), Qt::LeftButton, {},
                          window.menuBar()->actionGeometry(first).center());
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr);
        QTest::keyClick(popup, Qt::Key_Escape);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        EXPECT_FALSE(window.finished()) << "closing the menu does not end the game";
        QTest::keyClick(window.windowHandle(), Qt::Key_Escape);
        EXPECT_TRUE(window.finished());
        EXPECT_TRUE(window.form().screen().Terminated);
    }
    QDir::setCurrent(previousFolder);
}

}  // namespace
}  // namespace zenko
