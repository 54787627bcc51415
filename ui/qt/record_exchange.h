// The shell's side of the records other programs exchange: the list of a
// record file's games to choose from, and the desktop's clipboard.
#pragma once

#include <QWidget>

#include "ui/platform.h"

namespace zenko {

// A modal list of the games: number, Red, Black, game name and result, the
// first one chosen; a double click or OK opens the game chosen.
class QtGameChooser : public GameChooser {
public:
    explicit QtGameChooser(QWidget* owner) : owner_(owner) {}
    int choose_game(const std::string& source, const std::vector<GameListing>& games) override;

private:
    QWidget* owner_;
};

class QtClipboard : public Clipboard {
public:
    std::string text() override;
    void set_text(const std::string& text) override;
};

}  // namespace zenko
