// The main window's own procedures: the player's data folder, start-up and
// shutdown, the keys, the background and ｵﾌﾟｼｮﾝ commands and the
// version box.
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>

#include "settings/data_folder.h"
#include "ui/form1.h"
#include "ui/key_codes.h"
#include "zenko/version.h"

namespace zenko {
namespace {

constexpr const char* VersionTitle = "その他";
constexpr const char* DataFolderError = "データフォルダを作れません: ";

struct KeyCommand {
    int keyCode;
    void (Form1::*run)();
};

constexpr KeyCommand KeyCommands[] = {
    {KeyEscape, &Form1::close_panel_or_end}, {KeyF1, &Form1::処理_BGM},       {KeyF2, &Form1::処理_経過時間},
    {KeyLeft, &Form1::REPLAY_Click},         {KeyRight, &Form1::AFTER_Click},
};

// Keys that jump through the history: to the start, and to the last move.
struct KeyJump {
    int keyCode;
    int (*ply)(const HistoryState&);
};

constexpr KeyJump KeyJumps[] = {
    {KeyHome, [](const HistoryState&) { return 0; }},
    {KeyEnd, [](const HistoryState& h) { return h.HistoryLen; }},
};

// Choosing the checked background again still repaints and rewrites the
// settings: it is the user's way to clear outlines and move texts.
void choose_background(Form1& form, const MenuItem& item, int code) {
    if (!item.Checked) {
        form.チェック設定(code);
        form.use_background(code);
    }
    form.書込_環境設定ファイル();
    form.redraw_with_game_texts();
}

// State that every start begins from; the settings file and 初期設定 build on it.
void set_start_state(Form1& form) {
    form.clear_history();
    form.set_guidance(false);
    form.レベル_設定(3);  // no game yet, so nothing is drawn
    // The window is designed with 畳 checked. A settings file whose
    // background line is unknown keeps that mark (so the next file written
    // still names a background) while the picture stays unset: the area
    // around the board is then tiled with the empty square.
    form.チェック設定(BackgroundTatami);
}

}  // namespace

bool Form1::enter_player_data_folder(const std::string& installedSounds) {
    std::error_code error;
    if (!std::filesystem::is_directory(installedSounds, error)) return true;
    const std::string folder = data_folder_path(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    if (enter_data_folder(folder, installedSounds)) return true;
    platform.dialogs.message_box(std::string(DataFolderError) + folder, ProgramName, Buttons::OK,
                                 BoxIcon::Warning);
    return false;
}

void Form1::Form_Load() {
    load_first_picture();
    load_after_first_picture();
}

// The start state, the settings and the board: all the first picture needs.
void Form1::load_first_picture() {
    set_start_state(*this);
    reset_sides();
    読込_環境設定ファイル();
    初期設定();
}

// The sound device (a library of its own, loaded now), the buffers and the
// music come once the window shows, then the question about the kept game.
// A run that opens a record file at start never offers the kept game and
// never writes it (it is not armed), so the game of the last run waits,
// untouched, for the next plain start.
void Form1::load_after_first_picture(const std::string& recordFile) {
    start_sound();
    if (options().BGM.Checked) platform.sound.dsPlayLooping(sounds().SoundBgm);
    if (recordFile.empty())
        offer_kept_game();
    else
        open_record_file(recordFile);
}

void Form1::Form_Unload() { 処理_終了(); }

// The shift state does not matter.
void Form1::Form_KeyDown(int keyCode, int /*shift*/) {
    for (const KeyCommand& command : KeyCommands)
        if (command.keyCode == keyCode) (this->*command.run)();
    for (const KeyJump& jump : KeyJumps)
        if (jump.keyCode == keyCode) go_to_ply(jump.ply(history()));
}

void Form1::close_panel_or_end() {
    constexpr PanelControl panelControls[] = {
        PanelControl::Drive1, PanelControl::Dir1,  PanelControl::File1, PanelControl::Text1,
        PanelControl::Text2,  PanelControl::Text3, PanelControl::Text4, PanelControl::Command1,
    };
    for (PanelControl control : panelControls) {
        if (!platform.panel.is_visible(control)) continue;
        hide_record_panel();
        return;
    }
    処理_終了();
}

// Reached more than once when closing the window follows Escape or 終わり:
// the sound is released only the first time.
void Form1::処理_終了() {
    if (screen_.Terminated) return;
    end_engine();  // no engine process outlives the game
    keep_game();   // already kept after each change; this is only a last look
    release_sound();
    screen_.Terminated = true;
    platform.app.quit();
}

void Form1::チェック設定(int code) { mark_background(code); }

void Form1::MIDORI_Click() { choose_background(*this, options().MIDORI, BackgroundGreen); }
void Form1::TATAMI_Click() { choose_background(*this, options().TATAMI, BackgroundTatami); }
void Form1::TAKE_Click() { choose_background(*this, options().TAKE, BackgroundBamboo); }
void Form1::UCHU_Click() { choose_background(*this, options().UCHU, BackgroundSpace); }
void Form1::RENGA_Click() { choose_background(*this, options().RENGA, BackgroundBrick); }

// From the next game on; the caption beside the board says which rules hold.
void Form1::HYOUJUN_Click() {
    set_option(&Options::HYOUJUN, !options().HYOUJUN.Checked);
    書込_環境設定ファイル();
    draw_rules_caption();
}

void Form1::OPTION_Click() {
    描画_可視(false, false, false);
    描画_棋譜_IO(1);
}

void Form1::VER_Click() {
    platform.sound.dsPlay(sounds().SoundOther);
    platform.dialogs.message_box(std::string(ProgramName) + "\nバージョン " + ProgramVersion, VersionTitle,
                                 Buttons::OK);
}

void Form1::描画_可視(bool drive, bool folder, bool files) {
    platform.panel.set_visible(PanelControl::Drive1, drive);
    platform.panel.set_visible(PanelControl::Dir1, folder);
    platform.panel.set_visible(PanelControl::File1, files);
}

}  // namespace zenko
