// The options chosen in the menus: the check marks, the background in use,
// and whether the player was told they could not be saved. Written only by
// the procedures of settings/; the menus and the other subsystems read them
// through Form1's const view and change them through those procedures.
#pragma once

namespace zenko {

// The notations the move list offers, in the order of the 表記 menu.
enum class ListNotation { Japanese, Chinese, Wxf };

// A menu item that carries a check mark. Form1 holds the marks; the shell mirrors them.
struct MenuItem {
    bool Checked = false;
};

struct Options {
    MenuItem MIDORI, TATAMI, TAKE, UCHU, RENGA;
    MenuItem SIDOU, KEIKA, BGM;
    // 標準ルール: the standard rules of Xiangqi for the games started from now on.
    MenuItem HYOUJUN;
    // 棋譜一覧: the move list beside the board; 表記: the notation of its
    // moves, one of 日本式, 中国式 and WXF checked.
    MenuItem KIFU_ICHIRAN{true};
    MenuItem NIHONSHIKI{true}, CHUUGOKUSHIKI, WXF;
    ListNotation list_notation() const {
        return CHUUGOKUSHIKI.Checked ? ListNotation::Chinese
               : WXF.Checked         ? ListNotation::Wxf
                                     : ListNotation::Japanese;
    }
    int Background = 0;  // 0 until the settings choose one: tiles with the empty square
    bool SettingsUnsavedTold = false;
};

}  // namespace zenko
