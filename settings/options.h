// The options chosen in the menus: the check marks, the background in use,
// and whether the player was told they could not be saved. Written only by
// the procedures of settings/; the menus and the other subsystems read them
// through Form1's const view and change them through those procedures.
#pragma once

namespace zenko {

// A menu item that carries a check mark. Form1 holds the marks; the shell mirrors them.
struct MenuItem {
    bool Checked = false;
};

struct Options {
    MenuItem MIDORI, TATAMI, TAKE, UCHU, RENGA;
    MenuItem SIDOU, KEIKA, BGM;
    // 標準ルール: the standard rules of Xiangqi for the games started from now on.
    MenuItem HYOUJUN;
    int Background = 0;  // 0 until the settings choose one: tiles with the empty square
    bool SettingsUnsavedTold = false;
};

}  // namespace zenko
