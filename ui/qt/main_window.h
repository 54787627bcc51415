// The program's one window: menu bar, retained canvas, record panel, the
// 50 ms timer and the three keys. It owns the game object Form1 and hands
// it every event; it decides nothing itself.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <memory>
#include <utility>
#include <vector>

#include "ui/form1.h"
#include "ui/qt/move_list_panel.h"
#include "ui/qt/position_editor.h"
#include "ui/qt/qt_canvas.h"
#include "ui/qt/qt_dialogs.h"
#include "ui/qt/qt_engine_process.h"
#include "ui/qt/record_exchange.h"
#include "ui/qt/record_panel.h"

class QAction;
class QMenu;

namespace zenko {

class MainWindow : public QMainWindow, public AppControl {
public:
    // `engine` runs LEVEL4-6 and ヒント; an empty command: there is none.
    explicit MainWindow(SoundLibrary& sound, const EngineLocation& engine = find_engine());
    ~MainWindow() override;

    // An installed game (its sound files in `installedSounds`) works in the
    // player's data folder, its record panel included. False, after a box
    // saying why, when that folder cannot be made.
    bool enter_player_data_folder(const std::string& installedSounds);
    // Runs Form_Load, shows the window and starts the timer. False when the
    // game ended during load. With `FirstPictureFirst` the window shows
    // before the sound library is loaded and the kept game is asked about;
    // those follow as soon as the first picture is on the screen. A record
    // file named opens then instead of the kept game being offered.
    enum class Startup { AllAtOnce, FirstPictureFirst };
    bool start(Startup startup = Startup::AllAtOnce, const std::string& recordFile = {});

    Form1& form() { return *form_; }
    QtCanvas& canvas() { return *canvas_; }
    RecordPanel& panel() { return *panel_; }
    MoveListPanel& move_list() { return *moveList_; }
    bool finished() const { return finished_; }

    // Ends the program: no event reaches the game afterwards.
    void quit() override;

    // Runs one game handler as an event: afterwards the menu check marks
    // follow Form1 and a game that has ended closes the window.
    template <typename Handler>
    void forward(Handler&& handler) {
        if (finished_) return;
        std::forward<Handler>(handler)();
        after_event();
    }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A record file dropped on the window opens.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void build_menus();
    void connect_panel();
    void add_key(int qtKey, int keyCode);
    void after_event();
    void sync_menus();
    // The move list shown as 棋譜一覧 says (the window grows or shrinks by
    // its width) and following the history.
    void sync_move_list();
    // A window larger than the screen's free area is made smaller, the
    // drawing scaled down with it.
    void fit_to_screen();
    void settle_layout();

    QtCanvas* canvas_;
    std::unique_ptr<RecordPanel> panel_;
    QtDialogs dialogs_;
    QtTimeOfDay timeOfDay_;
    QtEngineProcess engineProcess_;  // outlives form_, whose engine client uses it
    QtEngineProcess reviewProcess_;  // the review's engine, beside the one that plays
    QtGameChooser gameChooser_;
    QtClipboard clipboard_;
    MoveListPanel* moveList_;
    QtPositionEditor positionEditor_;
    std::unique_ptr<Form1> form_;
    QTimer timer_;
    std::vector<std::pair<QAction*, MenuItem Options::*>> checkMarks_;
    std::vector<std::pair<QAction*, int>> levelMarks_;  // each level item and its level
    std::vector<QAction*> engineItems_;                 // usable only with an engine
    QObject* driveList_ = nullptr;                      // the drive list's drop-down
    bool finished_ = false;
    bool closing_ = false;
};

}  // namespace zenko
