// The engine levels: the UCI conversation with a scripted engine, engine
// square names on both rank conventions, and the game's own rules around
// the engine (the general capture, the flying general, the fallback).
#include "game/engine_player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "fake_engine_process.h"
#include "game/uci_notation.h"

namespace zenko {
namespace {

using testing::ScriptedEngineProcess;

const std::string StartFen = "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR b - - 0 1";

bool sent(const ScriptedEngineProcess& engine, const std::string& line) {
    return std::find(engine.written.begin(), engine.written.end(), line) != engine.written.end();
}

struct Conversation {
    ScriptedEngineProcess engine;
    UciClient client{engine, "fairy-stockfish"};
    std::vector<EngineAnswer> answers;
    Conversation() {
        client.answered = [this](const EngineAnswer& a) { answers.push_back(a); };
    }
};

TEST(UciClient, TellsTheVariantOnlyWhenOfferedAndReadsItsRankConvention) {
    struct Row {
        const char* name;
        std::vector<std::string> options;
        bool variantSent;
        EngineFailure failure;
        int firstRank;
    } rows[] = {
        {"Fairy-Stockfish",
         {"option name UCI_Variant type combo default chess var chess var xiangqi"},
         true,
         EngineFailure::None,
         1},
        {"Pikafish",
         {"option name Threads type spin default 1 min 1 max 1024"},
         false,
         EngineFailure::None,
         0},
        {"a chess engine",
         {"option name UCI_Variant type combo default chess var chess var crazyhouse"},
         false,
         EngineFailure::NoXiangqi,
         1},
    };
    for (const Row& r : rows) {
        Conversation c;
        c.engine.options = r.options;
        c.client.think(StartFen, engine_settings(4));
        c.engine.deliver();
        ASSERT_EQ(c.answers.size(), 1u) << r.name;
        EXPECT_EQ(c.answers[0].failure, r.failure) << r.name;
        EXPECT_EQ(c.answers[0].handshakeFailed, r.failure != EngineFailure::None) << r.name;
        EXPECT_EQ(sent(c.engine, "setoption name UCI_Variant value xiangqi"), r.variantSent) << r.name;
        if (r.failure == EngineFailure::None) {
            EXPECT_EQ(c.answers[0].move, "h10g8") << r.name;
            EXPECT_EQ(c.answers[0].firstRank, r.firstRank) << r.name;
        } else {
            EXPECT_FALSE(c.engine.running) << r.name;
        }
    }
}

TEST(UciClient, SendsLevelOptionsOnceThenThePositionAndGo) {
    Conversation c;
    EngineSettings settings{
        .skillLevel = 3, .elo = 1500, .limit = EngineSettings::Limit::Nodes, .amount = 900};
    c.client.think(StartFen, settings);
    c.engine.deliver();
    const std::vector<std::string> expected = {
        "uci",
        "setoption name UCI_Variant value xiangqi",
        "setoption name Threads value 1",
        "isready",
        "setoption name Skill Level value 3",
        "setoption name UCI_LimitStrength value true",
        "setoption name UCI_Elo value 1500",
        "position fen " + StartFen,
        "go nodes 900",
    };
    EXPECT_EQ(c.engine.written, expected);
    c.engine.written.clear();
    c.client.think(StartFen, settings);
    c.engine.deliver();
    EXPECT_EQ(c.engine.written, (std::vector<std::string>{"position fen " + StartFen, "go nodes 900"}));
    EXPECT_EQ(c.answers.size(), 2u);
    settings.capMs = 1000;
    EXPECT_EQ(go_command(settings), "go nodes 900 movetime 1000");
    c.client.quit();
    EXPECT_EQ(c.engine.written.back(), "quit");
    EXPECT_FALSE(c.engine.running);
}

// A slow engine is stopped; the next question waits for the stopped
// search's bestmove, which is dropped, and gets its own answer.
TEST(UciClient, AStoppedSearchsLateAnswerIsIgnored) {
    Conversation c;
    c.engine.bestmove = "";
    c.client.think(StartFen, engine_settings(6));
    c.engine.deliver();
    c.client.stop();
    EXPECT_EQ(c.engine.written.back(), "stop");
    EXPECT_FALSE(c.client.waiting());
    c.client.think("4k4/9/9/9/9/9/9/9/9/4K4 b - - 0 1", engine_settings(6));
    EXPECT_EQ(c.engine.written.back(), "stop");  // not yet: the engine is still answering the first
    c.engine.say("bestmove a7a6");
    c.engine.bestmove = "e10e9";
    c.engine.deliver();
    ASSERT_EQ(c.answers.size(), 1u);
    EXPECT_EQ(c.answers[0].move, "e10e9");
    EXPECT_TRUE(sent(c.engine, "position fen 4k4/9/9/9/9/9/9/9/9/4K4 b - - 0 1"));
}

// Silence, a crash, chatter without an answer, no command: each ends the
// engine and answers the question once with the failure; the next question
// starts the engine again.
TEST(UciClient, FailuresEndTheEngineAndAnswerOnce) {
    struct Row {
        const char* name;
        void (*act)(ScriptedEngineProcess&);
        EngineFailure failure;
    } rows[] = {
        {"silent", [](ScriptedEngineProcess& e) { e.pass_deadline(); }, EngineFailure::TimedOut},
        {"crashing", [](ScriptedEngineProcess& e) { e.crash(); }, EngineFailure::Crashed},
        {"garbage",
         [](ScriptedEngineProcess& e) {
             e.say("\x01\xff bestmov");
             e.say("readyok uciok");
             e.deliver();
             e.pass_deadline();
         },
         EngineFailure::TimedOut},
    };
    for (const Row& r : rows) {
        Conversation c;
        c.engine.bestmove = "";
        c.client.think(StartFen, engine_settings(5));
        c.engine.deliver();
        EXPECT_GT(c.engine.deadline, 0) << r.name;
        r.act(c.engine);
        ASSERT_EQ(c.answers.size(), 1u) << r.name;
        EXPECT_EQ(c.answers[0].failure, r.failure) << r.name;
        EXPECT_FALSE(c.answers[0].handshakeFailed) << r.name;
        EXPECT_FALSE(c.engine.running) << r.name;
        c.engine.bestmove = "h10g8";
        c.client.think(StartFen, engine_settings(5));
        c.engine.deliver();
        EXPECT_EQ(c.engine.starts, 2) << r.name;
        ASSERT_EQ(c.answers.size(), 2u) << r.name;
        EXPECT_TRUE(c.answers[1].ok()) << r.name;
    }
    Conversation missing;
    missing.engine.runs = false;
    missing.client.think(StartFen, engine_settings(4));
    ASSERT_EQ(missing.answers.size(), 1u);
    EXPECT_EQ(missing.answers[0].failure, EngineFailure::CannotStart);
    EXPECT_TRUE(missing.answers[0].handshakeFailed);
    Conversation mute;
    mute.engine.handshakes = false;
    mute.client.think(StartFen, engine_settings(4));
    mute.engine.deliver();
    mute.engine.pass_deadline();
    ASSERT_EQ(mute.answers.size(), 1u);
    EXPECT_TRUE(mute.answers[0].handshakeFailed);
}

// ZENKO_ENGINE names a path or a program on PATH; one that is not there
// leaves no command, and the name is kept for the player's message.
TEST(FindEngine, ANamedEngineThatIsNotThereIsNoEngine) {
    struct Row {
        const char* named;
        bool found;
    } rows[] = {
        {"/nonexistent/engine", false}, {"no-such-engine-program", false}, {"sh", true}, {"/bin/sh", true}};
    const char* before = std::getenv("ZENKO_ENGINE");
    const std::string kept = before ? before : "";
    for (const Row& r : rows) {
        setenv("ZENKO_ENGINE", r.named, 1);
        const EngineLocation engine = find_engine();
        EXPECT_EQ(engine.named, r.named);
        EXPECT_EQ(!engine.command.empty(), r.found) << r.named;
    }
    if (before)
        setenv("ZENKO_ENGINE", kept.c_str(), 1);
    else
        unsetenv("ZENKO_ENGINE");
}

TEST(UciNotation, SquaresOnBothRankConventions) {
    struct Row {
        int fromX, fromY, toX, toY, firstRank;
        const char* text;
    } rows[] = {
        {8, 1, 7, 3, 1, "h10g8"},   // COM's horse, Fairy-Stockfish
        {8, 1, 7, 3, 0, "h9g7"},    // the same, Pikafish
        {1, 10, 9, 1, 1, "a1i10"},  // corners
        {1, 10, 9, 1, 0, "a0i9"},  {5, 7, 5, 6, 1, "e4e5"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(uci_move_text(r.fromX, r.fromY, r.toX, r.toY, r.firstRank), r.text);
        int fx = 0, fy = 0, tx = 0, ty = 0;
        ASSERT_TRUE(read_uci_move(r.text, r.firstRank, fx, fy, tx, ty)) << r.text;
        EXPECT_EQ((std::vector<int>{fx, fy, tx, ty}), (std::vector<int>{r.fromX, r.fromY, r.toX, r.toY}))
            << r.text;
    }
    int fx, fy, tx, ty;
    for (const char* bad : {"a0a1", "j1a1", "h10g8q", "h10", "(none)", "", "a11a1"})
        EXPECT_FALSE(read_uci_move(bad, 1, fx, fy, tx, ty)) << bad;
    EXPECT_FALSE(read_uci_move("a10a9", 0, fx, fy, tx, ty));
}

TEST(UciNotation, FenPutsComOnTopWithTheSideToMove) {
    Engine engine;
    engine.初期配置();
    EXPECT_EQ(uci_fen(engine, false), StartFen);
    engine.駒移動(8, 8, 5, 8, ManCannon);
    EXPECT_EQ(uci_fen(engine, true), "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C2C4/9/RNBAKABNR w - - 0 1");
}

// What the computer's turn at an engine level does before asking, by position.
TEST(EnginePlayer, TakesTheGeneralItselfAndNeverShowsTheEngineAFlyingGeneral) {
    struct Row {
        const char* name;
        const char* fen;
        bool ask;
        MoveSource source;
    } rows[] = {
        {"a chariot can take the general", "4k4/9/9/9/3r5/9/9/9/9/3K5 b", false, MoveSource::GeneralCapture},
        {"the generals face each other", "4k4/9/9/9/9/9/1n7/9/9/4K4 b", false, MoveSource::Level3},
        {"a lone chariot stands between them", "4k4/9/9/9/4r4/9/9/9/9/4K4 b", false, MoveSource::Level3},
        {"a lone soldier above the general", "4k4/9/9/9/9/9/9/9/4p4/4K4 b", false, MoveSource::Level3},
        {"a lone cannon between them attacks nothing", "4k4/9/9/9/4c4/9/9/9/9/4K4 b", true,
         MoveSource::Engine},
        {"the starting position", "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR b", true,
         MoveSource::Engine},
    };
    for (const Row& r : rows) {
        Engine engine;
        ASSERT_TRUE(engine.set_fen(r.fen)) << r.name;
        const EngineTurn turn = begin_engine_turn(engine);
        EXPECT_EQ(turn.ask, r.ask) << r.name;
        if (turn.ask) {
            EXPECT_EQ(turn.fen, std::string(r.fen).substr(0, std::string(r.fen).size() - 1) + "b - - 0 1");
            continue;
        }
        EXPECT_EQ(turn.decided.source, r.source) << r.name;
        const ComputerMove l3 = level3_move(engine, MoveSource::Level3);
        if (r.source == MoveSource::Level3) {
            EXPECT_EQ((std::vector<int>{turn.decided.toX, turn.decided.toY}),
                      (std::vector<int>{l3.toX, l3.toY}));
        }
    }
    Engine engine;
    ASSERT_TRUE(engine.set_fen(rows[0].fen));
    const ComputerMove capture = begin_engine_turn(engine).decided;
    EXPECT_EQ((std::vector<int>{capture.fromX, capture.fromY, capture.toX, capture.toY, capture.piece}),
              (std::vector<int>{4, 5, 4, 10, ComChariot}));
}

TEST(EnginePlayer, EveryUnusableAnswerPlaysLevel3sMoveInstead) {
    struct Row {
        const char* name;
        EngineAnswer answer;
        MoveSource source;
    } rows[] = {
        {"a legal move", {EngineFailure::None, "h10g8", 1}, MoveSource::Engine},
        {"the same in Pikafish's ranks", {EngineFailure::None, "h9g7", 0}, MoveSource::Engine},
        {"an illegal move", {EngineFailure::None, "h10h8", 1}, MoveSource::Fallback},
        {"a MAN piece's move", {EngineFailure::None, "h1g3", 1}, MoveSource::Fallback},
        {"an empty square", {EngineFailure::None, "e5e4", 1}, MoveSource::Fallback},
        {"unreadable", {EngineFailure::None, "xyzzy", 1}, MoveSource::Fallback},
        {"no answer", {EngineFailure::TimedOut, "", 1}, MoveSource::Fallback},
        {"no move (mated)", {EngineFailure::None, "(none)", 1}, MoveSource::Level3},
    };
    Engine engine;
    engine.初期配置();
    const ComputerMove l3 = level3_move(engine, MoveSource::Level3);
    for (const Row& r : rows) {
        const ComputerMove move = finish_engine_turn(engine, r.answer);
        EXPECT_EQ(move.source, r.source) << r.name;
        ASSERT_TRUE(move.found) << r.name;
        const std::vector<int> played{move.fromX, move.fromY, move.toX, move.toY, move.piece};
        if (r.source == MoveSource::Engine)
            EXPECT_EQ(played, (std::vector<int>{8, 1, 7, 3, ComHorse})) << r.name;
        else
            EXPECT_EQ(played, (std::vector<int>{l3.fromX, l3.fromY, l3.toX, l3.toY, l3.piece})) << r.name;
    }
}

}  // namespace
}  // namespace zenko
