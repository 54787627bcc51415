// Recording fakes of the platform interfaces, so that whole games can be
// scripted through Form1 without a window.
#pragma once

#include <deque>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "fake_engine_process.h"
#include "record/record_line.h"
#include "settings/shift_jis.h"
#include "ui/form1.h"
#include "ui/platform.h"
#include "working_directory.h"

namespace zenko::testing {

struct DrawCall {
    enum Kind { Picture, Line, Box, Text } kind;
    int code = 0;  // picture code
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int colour = 0;
    std::string text{};
    int pointSize = 0;
    bool bold = false;
};

class RecordingCanvas : public Canvas {
public:
    std::vector<DrawCall> calls;
    int refreshes = 0;
    void draw_picture(int code, int x, int y) override { calls.push_back({DrawCall::Picture, code, x, y}); }
    void draw_line(int x1, int y1, int x2, int y2, int colour) override {
        calls.push_back({DrawCall::Line, 0, x1, y1, x2, y2, colour});
    }
    void draw_box(int x1, int y1, int x2, int y2, int colour) override {
        calls.push_back({DrawCall::Box, 0, x1, y1, x2, y2, colour});
    }
    void draw_text(int x, int y, const std::string& text, int size, bool bold, int colour) override {
        calls.push_back({DrawCall::Text, 0, x, y, 0, 0, colour, text, size, bold});
    }
    void refresh() override { ++refreshes; }
    void clear() { calls.clear(); }
    std::vector<DrawCall> of_kind(DrawCall::Kind k) const {
        std::vector<DrawCall> out;
        for (const auto& c : calls)
            if (c.kind == k) out.push_back(c);
        return out;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& c : calls)
            if (c.kind == DrawCall::Text) out.push_back(c.text);
        return out;
    }
};

struct ShownBox {
    std::string text, title;
    Buttons buttons;
    BoxIcon icon;
};

// Answers message boxes from a script; OK boxes need no script entry, and
// Yes/No boxes default to Yes, OK/Cancel boxes to OK, when it is empty.
class ScriptedDialogs : public Dialogs {
public:
    std::vector<ShownBox> shown;
    std::deque<Answer> answers;
    // Runs while the next box is open, as events do in a real box's own loop.
    std::function<void()> whileOpen;
    Answer message_box(const std::string& text, const std::string& title, Buttons buttons,
                       BoxIcon icon) override {
        shown.push_back({text, title, buttons, icon});
        if (whileOpen) std::exchange(whileOpen, nullptr)();
        if (buttons == Buttons::OK) return Answer::OK;
        if (answers.empty()) return buttons == Buttons::OKCancel ? Answer::OK : Answer::Yes;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
};

class FakeClock : public TimeOfDay {
public:
    double now = 36000.0;  // 10:00:00
    double seconds_since_midnight() override { return now; }
};

struct SoundEvent {
    std::string call;
    int handle;
};

class RecordingSound : public SoundLibrary {
public:
    bool deviceAvailable = true;
    int nextHandle = 1;
    std::map<int, std::vector<unsigned char>> buffers;  // handle -> bytes
    std::map<int, int> flags;
    std::vector<SoundEvent> events;
    int dsInitialize(void*) override {
        events.push_back({"dsInitialize", 0});
        return deviceAvailable ? 100 : 0;
    }
    int dsCreateDSB(int device, const std::vector<unsigned char>& bytes, int f) override {
        if (device == 0) return 0;
        int h = nextHandle++;
        buffers[h] = bytes;
        flags[h] = f;
        events.push_back({"dsCreateDSB", h});
        return h;
    }
    int dsPlay(int b) override { return record("dsPlay", b); }
    int dsPlayLooping(int b) override { return record("dsPlayLooping", b); }
    int dsStop(int b) override { return record("dsStop", b); }
    int dsFree(int b) override { return record("dsFree", b); }
    int dsTerminate(int d) override { return record("dsTerminate", d); }
    int count(const std::string& call, int handle) const {
        int n = 0;
        for (const auto& e : events)
            if (e.call == call && e.handle == handle) ++n;
        return n;
    }
    void clear() { events.clear(); }

private:
    int record(const char* call, int h) {
        events.push_back({call, h});
        return 0;
    }
};

class FakePanel : public Panel {
public:
    std::map<PanelControl, bool> visible;
    std::map<PanelControl, std::string> texts;
    std::string driveValue = "/";
    std::string dirPath = ".";
    std::string filePath = ".";
    std::string fileName;
    int refreshes = 0;
    PathResult nextDirResult = PathResult::Ok;
    void set_visible(PanelControl c, bool v) override { visible[c] = v; }
    bool is_visible(PanelControl c) override { return visible[c]; }
    std::string text(PanelControl f) override { return texts[f]; }
    void set_text(PanelControl f, const std::string& t) override { texts[f] = t; }
    std::string drive() override { return driveValue; }
    std::string dir_path() override { return dirPath; }
    PathResult set_dir_path(const std::string& p) override {
        if (nextDirResult == PathResult::Ok) dirPath = p;
        return nextDirResult;
    }
    std::string file_path() override { return filePath; }
    void set_file_path(const std::string& p) override { filePath = p; }
    std::string file_name() override { return fileName; }
    void refresh_files() override { ++refreshes; }
};

// The position editor as a player who sets up `board` and presses 完了, or
// cancels; it notes what it was opened with.
class ScriptedPositionEditor : public PositionEditor {
public:
    bool finish = true;
    BoardArray board{};
    bool topToMove = false;
    int opened = 0;
    BoardArray openedWith{};
    bool openedTopToMove = false;
    bool edit_position(BoardArray& shown, bool& top) override {
        ++opened;
        openedWith = shown;
        openedTopToMove = top;
        if (!finish) return false;
        shown = board;
        top = topToMove;
        return true;
    }
};

class FakeApp : public AppControl {
public:
    int quits = 0;
    void quit() override { ++quits; }
};

// Answers the list of a file's games from a script (the first game when it
// is empty; -1 closes the list without a choice) and records each list shown.
class ScriptedGameChooser : public GameChooser {
public:
    std::vector<std::pair<std::string, std::vector<GameListing>>> shown;
    std::deque<int> answers;
    int choose_game(const std::string& source, const std::vector<GameListing>& games) override {
        shown.emplace_back(source, games);
        if (answers.empty()) return 0;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class FakeClipboard : public Clipboard {
public:
    std::string contents;
    std::string text() override { return contents; }
    void set_text(const std::string& text) override { contents = text; }
};

// A left click on the centre of board square (x, y), as the window sends it.
inline void click_square(Form1& form, int x, int y) {
    form.Form_MouseDown(1, 0, BoardOriginX + SquareWidth * x + SquareWidth / 2.0,
                        BoardOriginY + SquareHeight * y + SquareHeight / 2.0);
}

// Opens the sound device and the four buffers as Form_Load does, from
// stand-in files: with fresh fakes the handles are 1 to 4, for その他, 禁止,
// 駒打音 and BGM. The events of the opening are dropped.
inline void open_sounds(Form1& form, RecordingSound& sound) {
    TemporaryWorkingDirectory folder("zenko-sounds");
    for (const char* name : {"その他.wav", "禁止.wav", "駒打音.wav", "BGM.wav"})
        std::ofstream(name) << "RIFF";
    form.start_sound();
    sound.clear();
}

// The bottom side's first soldier one step forward, as a history entry.
inline constexpr MoveRecord BottomSoldierStep{1, 7, 1, 6, PieceEmpty, ManSoldier, ManSoldier};

// Loads a record of these moves as a click on its file in the panel does:
// the game is then in record mode at the record's start. The boxes shown
// by the load are dropped.
inline void load_record(Form1& form, FakePanel& panel, ScriptedDialogs& dialogs,
                        const std::vector<MoveRecord>& moves = {BottomSoldierStep}) {
    TemporaryWorkingDirectory folder("zenko-record");
    std::vector<std::string> lines{"対局", "上", "下"};
    for (const MoveRecord& move : moves) lines.push_back(format_move_line(move));
    write_sjis_lines((folder.path() / "loaded.棋譜").string(), lines);
    const std::string filePath = panel.filePath, fileName = panel.fileName;
    panel.filePath = folder.path().string();
    panel.fileName = "loaded.棋譜";
    form.File1_Click();
    panel.filePath = filePath;
    panel.fileName = fileName;
    dialogs.shown.clear();
}

// A Form1 wired to fresh fakes; its engine is the scripted one.
struct FormFixture {
    RecordingCanvas canvas;
    ScriptedDialogs dialogs;
    FakeClock clock;
    RecordingSound sound;
    FakePanel panel;
    FakeApp app;
    ScriptedEngineProcess engineProcess;
    ScriptedGameChooser gameChooser;
    FakeClipboard clipboard;
    ScriptedPositionEditor positionEditor;
    ScriptedEngineProcess reviewProcess;
    Form1 form{Platform{canvas, dialogs, clock, sound, panel, app, &engineProcess,
                        EngineLocation{"fairy-stockfish"}, &gameChooser, &clipboard, &positionEditor,
                        &reviewProcess}};
};

}  // namespace zenko::testing
