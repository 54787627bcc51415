// A scripted engine process: it answers "uci", "isready" and "go" from its
// script, and the test delivers the replies, crashes it or lets the deadline
// pass when it chooses, as an event loop would.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "game/uci_client.h"

namespace zenko::testing {

class ScriptedEngineProcess : public EngineProcess {
public:
    // Fairy-Stockfish's options, shortened; a Pikafish-like engine offers no UCI_Variant.
    std::vector<std::string> options = {
        "option name UCI_Variant type combo default chess var chess var xiangqi var janggi",
        "option name Threads type spin default 1 min 1 max 512",
        "option name Skill Level type spin default 20 min -20 max 20",
        "option name UCI_LimitStrength type check default false",
        "option name UCI_Elo type spin default 1350 min 1350 max 2850",
    };
    std::string bestmove = "h10g8";  // the answer to every "go"; empty: thinks for ever
    bool runs = true;                // false: the command cannot be started
    bool handshakes = true;          // false: it never answers "uci"
    // When set, the lines printed for a "go" instead (info lines, then
    // bestmove), chosen by the last "position" line sent; none: it thinks
    // for ever.
    std::function<std::vector<std::string>(const std::string& position)> search;

    std::vector<std::string> written;  // every line sent to the engine
    int starts = 0, ends = 0;
    int deadline = -1;
    bool running = false;

    bool start(const std::string&, EngineEvents& events) override {
        ++starts;
        if (!runs) return false;
        events_ = &events;
        running = true;
        return true;
    }
    void write_line(const std::string& line) override {
        written.push_back(line);
        if (line == "uci" && handshakes) {
            replies_.insert(replies_.end(), options.begin(), options.end());
            replies_.push_back("uciok");
        } else if (line == "isready") {
            replies_.push_back("readyok");
        } else if (line.rfind("position ", 0) == 0) {
            position_ = line;
        } else if (line.rfind("go ", 0) == 0 && search) {
            const std::vector<std::string> lines = search(position_);
            replies_.insert(replies_.end(), lines.begin(), lines.end());
        } else if (line.rfind("go ", 0) == 0 && !bestmove.empty()) {
            replies_.push_back("info depth 1 score cp 10 pv " + bestmove);
            replies_.push_back("bestmove " + bestmove);
        }
    }
    void set_deadline(int milliseconds) override { deadline = milliseconds; }
    void end() override {
        if (running) ++ends;
        running = false;
        replies_.clear();
    }

    // The engine prints a line of its own.
    void say(const std::string& line) { replies_.push_back(line); }
    // Delivers every reply so far, in order.
    void deliver() {
        while (running && !replies_.empty()) {
            const std::string line = replies_.front();
            replies_.pop_front();
            events_->line_received(line);
        }
    }
    void crash() {
        end();
        events_->process_exited();
    }
    void pass_deadline() { events_->deadline_passed(); }

    // An info line as Fairy-Stockfish prints it: `score` "cp 35" or
    // "mate -2", `wdl` "W D L" per mille or empty, `pv` the moves.
    static std::string info_line(const std::string& score, const std::string& wdl, const std::string& pv) {
        return "info depth 9 seldepth 12 multipv 1 score " + score + (wdl.empty() ? "" : " wdl " + wdl) +
               " nodes 20010 nps 85512 tbhits 0 time 234 pv " + pv;
    }

private:
    EngineEvents* events_ = nullptr;
    std::deque<std::string> replies_;
    std::string position_;
};

}  // namespace zenko::testing
