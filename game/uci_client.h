// A small client of a UCI Xiangqi engine (Fairy-Stockfish, Pikafish) that
// runs as a separate process. The protocol is a state machine fed by events
// (a line read, the process gone, a deadline passed); how the process runs
// and how the events arrive is the EngineProcess's business, so the game can
// drive the client from its event loop and a tool can drive it blockingly.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace zenko {

// A move played before the position asked about, in the board's squares.
struct PlayedMove {
    int fromX, fromY, toX, toY;
};

// What the client hears from the process.
class EngineEvents {
public:
    virtual ~EngineEvents() = default;
    virtual void line_received(const std::string& line) = 0;  // without the line end
    virtual void process_exited() = 0;
    virtual void deadline_passed() = 0;
};

// The engine process. An implementation delivers every line the process
// prints, its exit and the passing of the deadline to the events given to
// start(), one at a time, and never from inside start, write_line,
// set_deadline or end.
class EngineProcess {
public:
    virtual ~EngineProcess() = default;
    // Runs `command` (a path, or a name looked up on PATH); false when it
    // cannot be run at all.
    virtual bool start(const std::string& command, EngineEvents& events) = 0;
    virtual void write_line(const std::string& line) = 0;
    // One deadline_passed event `milliseconds` from now, replacing any
    // earlier one; a negative value cancels it.
    virtual void set_deadline(int milliseconds) = 0;
    // Ends the process now (it has had "quit" if it was answering) and
    // drops the events still pending; no event follows.
    virtual void end() = 0;
};

// How long and how well the engine thinks for one level.
struct EngineSettings {
    enum class Limit { Depth, Nodes, MoveTime };
    int skillLevel = 20;  // "Skill Level", -20..20; 20 plays at full strength
    int elo = 0;          // "UCI_Elo" with "UCI_LimitStrength"; 0 = no limit
    Limit limit = Limit::Depth;
    int amount = 1;            // plies, nodes or milliseconds
    int capMs = 0;             // with Depth or Nodes: stop after this long anyway; 0: no cap
    int answerBoundMs = 3000;  // no bestmove after this long is a failure
    // Analysing rather than playing: the engine is asked for its win, draw
    // and loss figures (UCI_ShowWDL) and judges without contempt, so that
    // neither side's positions look better than they are. The options stay
    // set for the client's later questions.
    bool analysis = false;
};

// What the engine said about the position in the last "info" line of the
// search that carried a score, from the side to move's view.
struct EngineAnalysis {
    enum class Score { None, Centipawns, Mate };
    Score kind = Score::None;
    // Centipawns; or the moves to mate: positive, the side to move mates;
    // negative or 0, it is mated.
    int value = 0;
    bool hasWdl = false;
    int win = 0, draw = 0, loss = 0;  // per mille, when the engine shows them
    int depth = 0;
    std::vector<std::string> pv{};  // the principal variation, in engine notation
};

enum class EngineFailure {
    None,
    CannotStart,  // the command does not run
    NoXiangqi,    // it offers UCI_Variant without xiangqi
    Crashed,      // it ended while we waited for it
    TimedOut,     // no answer within the bound
};

struct EngineAnswer {
    EngineFailure failure = EngineFailure::None;
    std::string move;   // the word after "bestmove": "h10g8", "(none)", or whatever it printed
    int firstRank = 1;  // 1: ranks 1-10 (Fairy-Stockfish); 0: ranks 0-9 (Pikafish)
    // The engine never became ready: it did not start, is no Xiangqi engine,
    // or ended or fell silent before its handshake was done.
    bool handshakeFailed = false;
    EngineAnalysis analysis{};  // of the search that gave `move`; empty on a failure
    bool ok() const { return failure == EngineFailure::None; }
};

// `process` must outlive the client, which ends the engine when it goes.
class UciClient : public EngineEvents {
public:
    static constexpr int HandshakeBoundMs = 10000;  // a first start on a busy machine is slow
    static constexpr int StopBoundMs = 2000;

    UciClient(EngineProcess& process, std::string command)
        : process_(process), command_(std::move(command)) {}
    ~UciClient() override { quit(); }
    UciClient(const UciClient&) = delete;
    UciClient& operator=(const UciClient&) = delete;

    // Asks for the best move after `played` from `fen` (placement and side
    // to move), starting the engine and shaking hands first when it is not
    // running. The moves let the engine see which positions repeat. A search
    // still running is stopped and its answer ignored. The answer comes
    // through `answered`, also when the engine fails (at once if it cannot
    // be started).
    void think(const std::string& fen, const EngineSettings& settings, std::vector<PlayedMove> played = {});
    // Abandons the current question: the engine is told to stop and its
    // late answer is ignored.
    void stop();
    // Ends the engine ("quit", then the process is ended).
    void quit();

    bool waiting() const { return question_.has_value(); }  // a question has no answer yet
    bool running() const { return state_ != State::Off; }

    // Called with each answer; the answer is also kept for take_answer().
    std::function<void(const EngineAnswer&)> answered;
    // The last answer not yet taken, once.
    std::optional<EngineAnswer> take_answer();

    void line_received(const std::string& line) override;
    void process_exited() override;
    void deadline_passed() override;

private:
    enum class State { Off, AwaitingUciOk, AwaitingReadyOk, Idle, Searching };
    struct Question {
        std::string fen;
        EngineSettings settings;
        std::vector<PlayedMove> played;
    };

    void start_engine();
    void note_option(const std::string& line);
    void handshake_done();
    void send_question();
    void set_option(const std::string& name, const std::string& value);
    void bestmove_received(const std::string& move);
    void info_received(const std::vector<std::string>& words);
    void fail(EngineFailure failure);
    void answer(EngineAnswer a);
    // 1: ranks 1-10 (an engine of variants, Fairy-Stockfish); 0: ranks 0-9.
    int first_rank() const { return offered_.count("UCI_Variant") ? 1 : 0; }

    EngineProcess& process_;
    std::string command_;
    State state_ = State::Off;
    std::optional<Question> question_;  // asked and not yet answered
    bool questionSent_ = false;         // the current question's go was sent
    int staleAnswers_ = 0;              // bestmoves of stopped searches still to come
    std::set<std::string> offered_;     // the options the engine offers
    bool offersXiangqi_ = false;
    std::map<std::string, std::string> optionValues_;  // the values we have set
    std::optional<EngineAnswer> lastAnswer_;
    EngineAnalysis analysis_;  // of the search of the current question
};

// The engine to run and the name the player knows it by.
struct EngineLocation {
    std::string command;                    // a path to run; empty: the engine is not there
    std::string named = "fairy-stockfish";  // what ZENKO_ENGINE names, else fairy-stockfish
};

// ZENKO_ENGINE when set (a path, or a bare name looked up on PATH), else
// fairy-stockfish on PATH, else /usr/games/fairy-stockfish. A program that
// is not there or cannot be run leaves the command empty.
EngineLocation find_engine();

// The "go" line for the settings.
std::string go_command(const EngineSettings& settings);

}  // namespace zenko
