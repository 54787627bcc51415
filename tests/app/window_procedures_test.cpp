// The main window's procedures: start-up order, the keys, shutdown, the
// background and ｵﾌﾟｼｮﾝ commands and the version box.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "fakes.h"
#include "settings/shift_jis.h"
#include "working_directory.h"
#include "zenko/version.h"

namespace zenko::testing {
namespace {

namespace fs = std::filesystem;
const std::string Ini = "ZENKO中国象棋.ini";

std::vector<std::string> settings_lines() {
    std::ifstream in(Ini, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return split_sjis_lines(bytes.str());
}

// A canvas that notes what the window knew when the first picture was drawn.
struct FirstDrawProbe : RecordingCanvas {
    const Form1* form = nullptr;
    const RecordingSound* sound = nullptr;
    bool drawn = false;
    std::size_t soundEventsBefore = 0;
    bool bambooMarkedBefore = false;
    void draw_picture(int code, int x, int y) override {
        if (!drawn) {
            drawn = true;
            soundEventsBefore = sound->events.size();
            bambooMarkedBefore = form->options().TAKE.Checked;
        }
        RecordingCanvas::draw_picture(code, x, y);
    }
};

// Each test runs in a fresh empty working directory, started with the sound files there.
class WindowTest : public ::testing::Test, public FormFixture {
protected:
    TemporaryWorkingDirectory workingDirectory_{"zenko-window"};
    void SetUp() override {
        for (const char* name : {"その他.wav", "禁止.wav", "駒打音.wav", "BGM.wav"})
            std::ofstream(name) << name;
    }
};

// The first picture needs neither the sound library nor the music: they
// start once it has been drawn, the music right after its buffer is made.
TEST_F(WindowTest, StartUpDrawsTheFirstPictureThenStartsTheSoundAndTheMusic) {
    std::ofstream(Ini, std::ios::binary)
        << utf8_to_sjis("背景画=竹\r\n移動指導=ON\r\n経過時間=ON\r\nBGM=ON\r\n").value();
    FirstDrawProbe probe;
    Form1 probed{Platform{probe, dialogs, clock, sound, panel, app}};
    probe.form = &probed;
    probe.sound = &sound;
    probed.Form_Load();

    ASSERT_GE(sound.events.size(), 6u);
    EXPECT_EQ(sound.events[0].call, "dsInitialize");
    EXPECT_EQ(sound.events[5].call, "dsPlayLooping") << "the music starts once its buffer exists";
    EXPECT_EQ(sound.events[5].handle, probed.sounds().SoundBgm);
    // The settings come after the start state, so guidance from the file stays on.
    EXPECT_EQ(probed.GuidanceOn(), FlagOn);
    EXPECT_EQ(probed.chosen_level(), 3);
    EXPECT_EQ(probed.history().HistoryLen, 0);
    EXPECT_EQ(probed.history().RecordMode, FlagOff);
    EXPECT_EQ(probed.options().Background, BackgroundBamboo);
    ASSERT_TRUE(probe.drawn) << "the start-up paints the background and the board";
    EXPECT_EQ(probe.soundEventsBefore, 0u);
    EXPECT_TRUE(probe.bambooMarkedBefore);
}

TEST_F(WindowTest, EscapeReleasesTheSoundAndQuitsAtOnceOnlyOnce) {
    form.Form_Load();
    sound.clear();
    form.Form_KeyDown(27, 0);
    form.Form_Unload();  // the window closes after Escape
    std::vector<std::string> calls;
    for (const auto& e : sound.events) calls.push_back(e.call + " " + std::to_string(e.handle));
    EXPECT_EQ(calls,
              (std::vector<std::string>{"dsFree 1", "dsFree 2", "dsFree 3", "dsFree 4", "dsTerminate 100"}));
    EXPECT_EQ(app.quits, 1);
    EXPECT_TRUE(form.screen().Terminated);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(WindowTest, F1AndF2ToggleMusicAndClockWhateverTheShiftStateAndOtherKeysDoNothing) {
    form.Form_Load();
    form.Form_KeyDown(112, 1);
    EXPECT_FALSE(form.options().BGM.Checked);
    EXPECT_EQ(sound.count("dsStop", form.sounds().SoundBgm), 1);
    EXPECT_EQ(settings_lines().at(3), "BGM=OFF");
    form.Form_KeyDown(113, 0);
    EXPECT_FALSE(form.options().KEIKA.Checked);
    EXPECT_EQ(settings_lines().at(2), "経過時間=OFF");
    for (int key : {13, 65, 114}) form.Form_KeyDown(key, 0);
    EXPECT_EQ(app.quits, 0);
    EXPECT_FALSE(form.options().BGM.Checked);
}

struct BackgroundCommand {
    const char* name;
    void (Form1::*click)();
    MenuItem Options::*item;
    int code;
    const char* line;
};
void PrintTo(const BackgroundCommand& c, std::ostream* os) { *os << c.name; }

const BackgroundCommand BackgroundCommands[] = {
    {"midori", &Form1::MIDORI_Click, &Options::MIDORI, BackgroundGreen, "背景画=緑"},
    {"tatami", &Form1::TATAMI_Click, &Options::TATAMI, BackgroundTatami, "背景画=畳"},
    {"take", &Form1::TAKE_Click, &Options::TAKE, BackgroundBamboo, "背景画=竹"},
    {"uchu", &Form1::UCHU_Click, &Options::UCHU, BackgroundSpace, "背景画=宇宙"},
    {"renga", &Form1::RENGA_Click, &Options::RENGA, BackgroundBrick, "背景画=煉瓦"},
};

class BackgroundCommandTest : public WindowTest, public ::testing::WithParamInterface<BackgroundCommand> {};

// Choosing twice: the second time the checked item repaints and rewrites all the same.
TEST_P(BackgroundCommandTest, MarksOnlyItsItemRepaintsAndRewritesEvenWhenChosenAgain) {
    const BackgroundCommand& c = GetParam();
    form.Form_Load();
    form.UCHU_Click();
    for (int round = 0; round < 2; ++round) {
        fs::remove(Ini);
        canvas.clear();
        (form.*c.click)();
        EXPECT_EQ(form.options().Background, c.code);
        int marked = 0;
        for (auto* item : {&form.options().MIDORI, &form.options().TATAMI, &form.options().TAKE,
                           &form.options().UCHU, &form.options().RENGA})
            marked += item->Checked;
        EXPECT_EQ(marked, 1);
        EXPECT_TRUE((form.options().*c.item).Checked);
        EXPECT_EQ(settings_lines().at(0), c.line);
        EXPECT_FALSE(canvas.calls.empty()) << "the whole window is redrawn";
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, BackgroundCommandTest, ::testing::ValuesIn(BackgroundCommands),
                         [](const auto& row) { return std::string(row.param.name); });

// Escape closes the record panel, whichever part of it shows, and only
// with nothing open ends the program.
TEST_F(WindowTest, EscapeClosesTheRecordPanelBeforeItEndsTheProgram) {
    form.Form_Load();
    for (void (Form1::*open)() : {&Form1::KIFU_READ_Click, &Form1::KIFU_WRITE_Click}) {
        (form.*open)();
        form.Form_KeyDown(27, 0);
        for (const auto& [control, visible] : panel.visible)
            EXPECT_FALSE(visible) << static_cast<int>(control);
        EXPECT_EQ(app.quits, 0);
    }
    form.Form_KeyDown(27, 0);
    EXPECT_EQ(app.quits, 1);
}

// The background covers the texts beside the board; a background change
// draws them again, with the computer's last-move outline.
TEST_F(WindowTest, ABackgroundChangeRedrawsEveryTextBesideTheBoard) {
    form.Form_Load();
    form.SENTE_Click();
    click_square(form, 3, 7);
    click_square(form, 3, 6);  // the computer answers
    const MoveRecord reply = form.history().MoveHistory[2];
    canvas.clear();
    form.UCHU_Click();
    // Texts in white or light red at a grid row: the count on row 3.3, the
    // computer's move on row 6.1, the person's on row 8.1.
    auto drew = [&](const std::string& text, double row) {
        for (const DrawCall& c : canvas.of_kind(DrawCall::Text))
            if (c.text == text && c.colour != ColorBlack && c.y1 == grid_to_twips_y(row)) return true;
        return false;
    };
    EXPECT_TRUE(drew(" 2 ", 3.3));
    EXPECT_TRUE(drew("LEVEL", 0.1));
    for (const char* text : {"７", "六", "兵"}) EXPECT_TRUE(drew(text, 8.1)) << text;
    for (int code : {10 - reply.toX + 10, reply.toY + 20, reply.piece})
        EXPECT_TRUE(drew(form.文字列変換(code), 6.1)) << code;
    const std::vector<DrawCall> boxes = canvas.of_kind(DrawCall::Box);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().colour, ColorYellow);
    EXPECT_EQ(boxes.back().x1, grid_to_twips_x(reply.toX) + 15);

    load_record(form, panel, dialogs);
    form.AFTER_Click();
    canvas.clear();
    form.MIDORI_Click();
    // Each header once in its own colour (its shadow and outline are black).
    for (const char* header : {"対局", "上", "下"}) {
        const std::vector<DrawCall> texts = canvas.of_kind(DrawCall::Text);
        EXPECT_EQ(
            std::count_if(texts.begin(), texts.end(),
                          [&](const DrawCall& c) { return c.text == header && c.colour != ColorBlack; }),
            1)
            << header;
    }
    EXPECT_TRUE(drew(" 1 ", 3.3));
}

TEST_F(WindowTest, OpeningTheOptionMenuHidesTheFileLists) {
    form.描画_可視(true, true, true);
    form.OPTION_Click();
    for (auto control : {PanelControl::Drive1, PanelControl::Dir1, PanelControl::File1})
        EXPECT_FALSE(panel.is_visible(control));
}

TEST_F(WindowTest, TheVersionItemChimesAndNamesTheProgramAndItsVersion) {
    form.Form_Load();
    dialogs.shown.clear();
    form.VER_Click();
    EXPECT_EQ(sound.count("dsPlay", form.sounds().SoundOther), 1);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "その他");
    EXPECT_EQ(dialogs.shown[0].text, std::string("ZENKO 中国象棋\nバージョン ") + ProgramVersion);
    EXPECT_EQ(dialogs.shown[0].buttons, Buttons::OK);
}

// The installed game (its sound files beside it) works in the player's data
// folder and says in a box when it cannot make it; a game built from source
// stays in the folder it was started in.
TEST_F(WindowTest, AnInstalledGameEntersItsDataFolderOrSaysWhyItCannot) {
    const fs::path start = fs::current_path(), sounds = start / "installed", blocker = start / "a-file";
    fs::create_directory(sounds);
    std::ofstream(sounds / "BGM.wav") << "music";
    std::ofstream(blocker) << "not a folder";
    const char* previous = std::getenv("XDG_DATA_HOME");
    const std::string saved = previous ? previous : "";

    EXPECT_TRUE(form.enter_player_data_folder((start / "not-installed").string()));
    EXPECT_EQ(fs::current_path(), start);

    setenv("XDG_DATA_HOME", blocker.c_str(), 1);
    EXPECT_FALSE(form.enter_player_data_folder(sounds.string()));
    EXPECT_EQ(fs::current_path(), start);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "データフォルダを作れません: " + (blocker / "zenko").string());
    EXPECT_EQ(dialogs.shown[0].title, ProgramName);
    EXPECT_EQ(dialogs.shown[0].icon, BoxIcon::Warning);

    setenv("XDG_DATA_HOME", (start / "data").c_str(), 1);
    EXPECT_TRUE(form.enter_player_data_folder(sounds.string()));
    EXPECT_EQ(fs::current_path(), start / "data" / "zenko");
    EXPECT_TRUE(fs::exists("BGM.wav"));
    EXPECT_EQ(dialogs.shown.size(), 1u);

    fs::current_path(start);
    if (previous)
        setenv("XDG_DATA_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace zenko::testing
