// The game's message boxes, counted while they are open. A box waits in an
// event loop of its own, in which the engine's answers and the clock's ticks
// still arrive; the game holds such events back until the last box closes,
// so that nothing is played behind a box the player is reading.
#pragma once

#include <string>

#include "ui/platform.h"

namespace zenko {

class CountingDialogs : public Dialogs {
public:
    explicit CountingDialogs(Dialogs& inner) : inner_(inner) {}
    Answer message_box(const std::string& text, const std::string& title, Buttons buttons,
                       BoxIcon icon = BoxIcon::None) override {
        ++open_;
        const Answer answer = inner_.message_box(text, title, buttons, icon);
        --open_;
        return answer;
    }
    bool any_open() const { return open_ > 0; }
    // Another modal window of the game (the list of a file's games) holds
    // events back as a box does while `show` runs; returns what it returns.
    template <typename Show>
    auto while_open(Show&& show) {
        ++open_;
        auto result = show();
        --open_;
        return result;
    }

private:
    Dialogs& inner_;
    int open_ = 0;
};

}  // namespace zenko
