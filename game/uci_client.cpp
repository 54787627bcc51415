// The UCI conversation: handshake, options, one question at a time, stop
// with the late answer ignored, and quit.
#include "game/uci_client.h"

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <sstream>
#include <vector>

#include "game/uci_notation.h"

namespace zenko {

namespace {

std::vector<std::string> words_of(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

bool is_executable_file(const std::filesystem::path& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::is_regular_file(status)) return false;
    const fs::perms exec = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    return (status.permissions() & exec) != fs::perms::none;
}

// The whole word as a number; false for anything else ("12x", "", "-").
bool read_number(const std::string& word, int& value) {
    const char* end = word.data() + word.size();
    const auto [at, error] = std::from_chars(word.data(), end, value);
    return error == std::errc() && at == end;
}

// The program `name` in a folder of PATH; empty when none has it.
std::string on_path(const std::string& name) {
    if (const char* path = std::getenv("PATH")) {
        std::istringstream folders(path);
        for (std::string folder; std::getline(folders, folder, ':');) {
            if (folder.empty()) continue;
            const std::filesystem::path candidate = std::filesystem::path(folder) / name;
            if (is_executable_file(candidate)) return candidate.string();
        }
    }
    return "";
}

}  // namespace

EngineLocation find_engine() {
    if (const char* chosen = std::getenv("ZENKO_ENGINE"); chosen && *chosen) {
        const std::string named = chosen;
        if (named.find('/') == std::string::npos) return {on_path(named), named};
        return {is_executable_file(named) ? named : "", named};
    }
    EngineLocation found{on_path("fairy-stockfish")};
    const char* const fallback = "/usr/games/fairy-stockfish";
    if (found.command.empty() && is_executable_file(fallback)) found.command = fallback;
    return found;
}

std::string go_command(const EngineSettings& settings) {
    const char* kind = settings.limit == EngineSettings::Limit::Depth   ? "depth"
                       : settings.limit == EngineSettings::Limit::Nodes ? "nodes"
                                                                        : "movetime";
    std::string go = "go " + std::string(kind) + " " + std::to_string(settings.amount);
    if (settings.capMs > 0 && settings.limit != EngineSettings::Limit::MoveTime)
        go += " movetime " + std::to_string(settings.capMs);
    return go;
}

void UciClient::think(const std::string& fen, const EngineSettings& settings,
                      std::vector<PlayedMove> played) {
    stop();
    lastAnswer_.reset();
    question_ = Question{fen, settings, std::move(played)};
    questionSent_ = false;
    if (state_ == State::Off) {
        start_engine();
    } else if (state_ == State::Idle && staleAnswers_ == 0) {
        send_question();
    }
    // Otherwise the question goes out when the handshake or the stopped
    // search is over.
}

void UciClient::stop() {
    if (!question_) return;
    if (questionSent_) {
        process_.write_line("stop");
        ++staleAnswers_;
        process_.set_deadline(StopBoundMs);
    }
    question_.reset();
    questionSent_ = false;
}

void UciClient::quit() {
    if (state_ == State::Off) return;
    if (state_ == State::Searching) process_.write_line("stop");
    process_.write_line("quit");
    process_.end();
    state_ = State::Off;
    question_.reset();
    questionSent_ = false;
    staleAnswers_ = 0;
}

std::optional<EngineAnswer> UciClient::take_answer() {
    std::optional<EngineAnswer> taken;
    taken.swap(lastAnswer_);
    return taken;
}

void UciClient::start_engine() {
    offered_.clear();
    optionValues_.clear();
    offersXiangqi_ = false;
    staleAnswers_ = 0;
    if (command_.empty() || !process_.start(command_, *this)) {
        state_ = State::Off;
        question_.reset();
        answer({EngineFailure::CannotStart, "", 1, true});
        return;
    }
    state_ = State::AwaitingUciOk;
    process_.write_line("uci");
    process_.set_deadline(HandshakeBoundMs);
}

void UciClient::line_received(const std::string& line) {
    const std::vector<std::string> words = words_of(line);
    if (words.empty()) return;
    const std::string& first = words[0];
    if (state_ == State::AwaitingUciOk && first == "option") {
        note_option(line);
    } else if (state_ == State::AwaitingUciOk && first == "uciok") {
        handshake_done();
    } else if (state_ == State::AwaitingReadyOk && first == "readyok") {
        state_ = State::Idle;
        process_.set_deadline(-1);
        if (question_) send_question();
    } else if (state_ == State::Searching && first == "bestmove") {
        bestmove_received(words.size() > 1 ? words[1] : "");
    } else if (state_ == State::Searching && first == "info" && questionSent_ && staleAnswers_ == 0) {
        // Only the current question's search: a stopped one's lines come
        // before its bestmove, while staleAnswers_ still counts it.
        info_received(words);
    }
    // Everything else ("id", chatter, garbage) carries nothing we use.
}

// "option name NAME type KIND ...": the name may hold spaces ("Skill Level").
void UciClient::note_option(const std::string& line) {
    const std::string::size_type nameAt = line.find(" name "), typeAt = line.find(" type ");
    if (nameAt == std::string::npos || typeAt == std::string::npos || typeAt < nameAt) return;
    const std::string name = line.substr(nameAt + 6, typeAt - nameAt - 6);
    offered_.insert(name);
    if (name != "UCI_Variant") return;
    const std::vector<std::string> words = words_of(line.substr(typeAt));
    for (std::size_t i = 0; i + 1 < words.size(); ++i)
        if (words[i] == "var" && words[i + 1] == "xiangqi") offersXiangqi_ = true;
}

void UciClient::handshake_done() {
    // An engine offering variants but not Xiangqi plays some other game.
    if (offered_.count("UCI_Variant") && !offersXiangqi_) return fail(EngineFailure::NoXiangqi);
    set_option("UCI_Variant", "xiangqi");
    set_option("Threads", "1");
    set_option("Hash", "16");
    process_.write_line("isready");
    state_ = State::AwaitingReadyOk;
    process_.set_deadline(HandshakeBoundMs);
}

void UciClient::set_option(const std::string& name, const std::string& value) {
    if (!offered_.count(name)) return;
    const auto known = optionValues_.find(name);
    if (known != optionValues_.end() && known->second == value) return;
    process_.write_line("setoption name " + name + " value " + value);
    optionValues_[name] = value;
}

void UciClient::send_question() {
    const EngineSettings& s = question_->settings;
    set_option("Skill Level", std::to_string(s.skillLevel));
    set_option("UCI_LimitStrength", s.elo > 0 ? "true" : "false");
    if (s.elo > 0) set_option("UCI_Elo", std::to_string(s.elo));
    std::string position = "position fen " + question_->fen;
    if (!question_->played.empty()) position += " moves";
    for (const PlayedMove& m : question_->played)
        position += " " + uci_move_text(m.fromX, m.fromY, m.toX, m.toY, first_rank());
    if (s.analysis) {
        set_option("UCI_ShowWDL", "true");
        set_option("Contempt", "0");
    }
    analysis_ = {};
    process_.write_line(position);
    process_.write_line(go_command(s));
    questionSent_ = true;
    state_ = State::Searching;
    process_.set_deadline(s.answerBoundMs);
}

void UciClient::bestmove_received(const std::string& move) {
    if (staleAnswers_ > 0 && --staleAnswers_ > 0) {  // more stopped searches still to answer
        process_.set_deadline(StopBoundMs);
        return;
    }
    state_ = State::Idle;
    process_.set_deadline(-1);
    if (!question_) return;
    if (!questionSent_) {  // that was a stopped search's answer; ours may go now
        send_question();
        return;
    }
    question_.reset();
    questionSent_ = false;
    answer({EngineFailure::None, move, first_rank(), false, analysis_});
}

// "info depth 9 seldepth 13 multipv 1 score cp 54 wdl 420 410 170 nodes
// 20010 ... pv c1e3 c7c6": a line with a score replaces what the search said
// before, as a deeper iteration does. Lines of other principal variations
// than the first, lines without a score ("currmove", "string") and lines
// whose numbers do not read are passed over. A bound ("lowerbound") is taken
// as the score: the engine's own best guess when the search ended there.
void UciClient::info_received(const std::vector<std::string>& words) {
    EngineAnalysis said;
    // Reads the numbers after words[i] into `into`; false when they are
    // not all there or one does not read.
    const auto values = [&](std::size_t i, std::initializer_list<int*> into) {
        if (i + into.size() >= words.size()) return false;
        for (int* value : into)
            if (!read_number(words[++i], *value)) return false;
        return true;
    };
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string& word = words[i];
        int multipv = 1;
        if (word == "string") return;
        if (word == "pv") {
            said.pv.assign(words.begin() + static_cast<std::ptrdiff_t>(i) + 1, words.end());
            break;
        }
        if (word == "multipv") {
            if (!values(i, {&multipv}) || multipv != 1) return;
            i += 1;
        } else if (word == "depth") {
            if (!values(i, {&said.depth})) return;
            i += 1;
        } else if (word == "score") {
            if (i + 1 >= words.size() || (words[i + 1] != "cp" && words[i + 1] != "mate")) return;
            said.kind =
                words[i + 1] == "cp" ? EngineAnalysis::Score::Centipawns : EngineAnalysis::Score::Mate;
            if (!values(i + 1, {&said.value})) return;
            i += 2;
        } else if (word == "wdl") {
            if (!values(i, {&said.win, &said.draw, &said.loss})) return;
            said.hasWdl = true;
            i += 3;
        }
    }
    if (said.kind != EngineAnalysis::Score::None) analysis_ = std::move(said);
}

void UciClient::process_exited() { fail(EngineFailure::Crashed); }

void UciClient::deadline_passed() { fail(EngineFailure::TimedOut); }

// The engine is of no more use: it is ended, and the question waiting for
// it gets the failure as its answer. The next question starts it afresh.
void UciClient::fail(EngineFailure failure) {
    const bool handshaking = state_ == State::AwaitingUciOk || state_ == State::AwaitingReadyOk;
    process_.end();
    state_ = State::Off;
    staleAnswers_ = 0;
    questionSent_ = false;
    if (!question_) return;
    question_.reset();
    answer({failure, "", 1, handshaking});
}

void UciClient::answer(EngineAnswer a) {
    lastAnswer_ = a;
    if (answered) answered(a);
}

}  // namespace zenko
