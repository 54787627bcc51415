// The menu bar as a table: one row per item, top to bottom, with its depth
// (1 = on the bar). A row followed by deeper rows is a menu; its handler,
// if any, runs when the menu opens. A row without a name is a separator.
// Any other row is a command.
#pragma once

#include <span>

#include "ui/form1.h"

namespace zenko {

struct MenuEntry {
    const char* name;  // the item's name, also the Qt object name
    const char* caption;
    int depth;
    void (Form1::*handler)();      // nullptr: the item only opens its menu
    MenuItem Options::*checkMark;  // nullptr: the item carries no check mark
    bool needsEngine = false;      // greyed out, with the reason, when no engine was found
    int level = 0;                 // 1..6: checked while the computer plays at this level
};

std::span<const MenuEntry> menu_table();

}  // namespace zenko
