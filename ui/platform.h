// The small interfaces through which the game draws, asks, plays sounds and
// reads the time. The Qt shell implements them for the real window; the
// tests implement them with recording fakes.
#pragma once

#include <string>
#include <vector>

#include "game/uci_client.h"
#include "rules/types.h"

namespace zenko {

// Drawing on the window's client area, in twips (15 twips a pixel at 96 dpi).
// Colours are palette indices 0..15; see palette_rgb() in ui/presentation.h.
class Canvas {
public:
    virtual ~Canvas() = default;
    // Opaque copy of the picture with this picture code (see ui/presentation.h),
    // at its own size, top-left corner at (x, y).
    virtual void draw_picture(int pictureCode, int x, int y) = 0;
    // One-pixel solid line from (x1, y1) to (x2, y2).
    virtual void draw_line(int x1, int y1, int x2, int y2, int colour) = 0;
    // One-pixel unfilled rectangle with corners (x1, y1) and (x2, y2).
    virtual void draw_box(int x1, int y1, int x2, int y2, int colour) = 0;
    // UTF-8 text, top-left corner of its line at (x, y), transparent background.
    virtual void draw_text(int x, int y, const std::string& text, int pointSize, bool bold, int colour) = 0;
    // Show what has been drawn now, even in the middle of a long handler.
    virtual void refresh() = 0;
};

// A Yes/No box closed without a button (Escape, the close button) answers
// Yes, which keeps the game going; an OK/Cancel box closed so answers Cancel.
enum class Buttons { OK, YesNo, OKCancel };
enum class Answer { OK, Yes, No, Cancel };
enum class BoxIcon { None, Warning };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Modal message box; returns the button pressed.
    virtual Answer message_box(const std::string& text, const std::string& title, Buttons buttons,
                               BoxIcon icon = BoxIcon::None) = 0;
};

class TimeOfDay {
public:
    virtual ~TimeOfDay() = default;
    // Seconds since local midnight, with fractions.
    virtual double seconds_since_midnight() = 0;
};

// The game's sound library: handle 0 is always a silent no-op.
class SoundLibrary {
public:
    virtual ~SoundLibrary() = default;
    virtual int dsInitialize(void* window) = 0;
    virtual int dsCreateDSB(int device, const std::vector<unsigned char>& fileBytes, int flags) = 0;
    virtual int dsPlay(int buffer) = 0;
    virtual int dsPlayLooping(int buffer) = 0;
    virtual int dsStop(int buffer) = 0;
    virtual int dsFree(int buffer) = 0;
    virtual int dsTerminate(int device) = 0;
};

// The record panel's controls.
enum class PanelControl {
    Drive1,
    Dir1,
    File1,
    Label1_0,
    Label1_1,
    Label1_2,
    Label1_3,
    Text1,
    Text2,
    Text3,
    Text4,
    Command1,
};

enum class PathResult { Ok, DeviceUnavailable, OtherError };

class Panel {
public:
    virtual ~Panel() = default;
    virtual void set_visible(PanelControl control, bool visible) = 0;
    virtual bool is_visible(PanelControl control) = 0;
    // Text1..Text4 (UTF-8).
    virtual std::string text(PanelControl field) = 0;
    virtual void set_text(PanelControl field, const std::string& text) = 0;
    // Drive1: the chosen place (a directory path).
    virtual std::string drive() = 0;
    // Dir1: the folder shown; setting it may fail.
    virtual std::string dir_path() = 0;
    virtual PathResult set_dir_path(const std::string& path) = 0;
    // File1: the folder listed (the record files the game opens: .棋譜,
    // .pgn, .xqf, .fen, .txt, .htm, .html), the clicked file's name, and a
    // fresh listing of the folder.
    virtual std::string file_path() = 0;
    virtual void set_file_path(const std::string& path) = 0;
    virtual std::string file_name() = 0;
    virtual void refresh_files() = 0;
};

class AppControl {
public:
    virtual ~AppControl() = default;
    // Ends the program once the current handler returns; no event is handled after it.
    virtual void quit() = 0;
};

// One game of a record file, as the list of the file's games shows it.
struct GameListing {
    std::string red, black, event, result;
};

// The list of the games a record file holds, to open one of them.
class GameChooser {
public:
    virtual ~GameChooser() = default;
    // A modal list of the games (numbered from 1) of the file or text named
    // `source`; the index of the game chosen, or -1 when none was.
    virtual int choose_game(const std::string& source, const std::vector<GameListing>& games) = 0;
};

// The desktop's clipboard, as text in UTF-8.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual std::string text() = 0;
    virtual void set_text(const std::string& text) = 0;
};

// The position editor: the player sets a position up on a board of its own,
// which the game never sees until the editing is done.
class PositionEditor {
public:
    virtual ~PositionEditor() = default;
    // Starts from `board` and `topToMove`. True, with them set to the
    // position, when the player finished with a position check_position
    // (record/position_check.h) accepts; false, with them untouched, when
    // the editing was cancelled.
    virtual bool edit_position(BoardArray& board, bool& topToMove) = 0;
};

struct Platform {
    Canvas& canvas;
    Dialogs& dialogs;
    TimeOfDay& clock;
    SoundLibrary& sound;
    Panel& panel;
    AppControl& app;
    // The engine of LEVEL4-6 and ヒント, and where it was found; no process
    // or no command means no engine was found.
    EngineProcess* engineProcess = nullptr;
    EngineLocation engine = {};
    // Without a chooser the first game of a file opens; without a clipboard
    // the copy and paste commands do nothing.
    GameChooser* gameChooser = nullptr;
    Clipboard* clipboard = nullptr;
    // 局面編集 opens nothing without one.
    PositionEditor* positionEditor = nullptr;
    // The review's engine runs beside the one that plays (same command):
    // without this process 検討 is not offered.
    EngineProcess* reviewProcess = nullptr;
};

}  // namespace zenko
