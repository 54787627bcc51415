// A command that changes the position stops the engine's search for the
// computer's move first. When the command leaves the computer to move (it
// was refused, or changed the set-up only), the computer starts its turn
// again once the command is done.
#pragma once

#include "ui/form1.h"

namespace zenko {

class PausedSearch {
public:
    explicit PausedSearch(Form1& form) : form_(form), wasThinking_(form.stop_engine_search()) {}
    ~PausedSearch() {
        if (wasThinking_) form_.resume_computer_turn();
    }
    PausedSearch(const PausedSearch&) = delete;
    PausedSearch& operator=(const PausedSearch&) = delete;

private:
    Form1& form_;
    bool wasThinking_;
};

}  // namespace zenko
