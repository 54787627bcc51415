// The review of a game: the engine's analysis read from the current search
// only, the marks at their thresholds, and the review on a
// scripted engine (marks as the scores come, stop and restart without late
// results, a game the standard rules forbid); then a planted blunder on the
// real Fairy-Stockfish.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fake_engine_process.h"
#include "game/review_session.h"
#include "game/uci_notation.h"
#include "tools/posix_engine_process.h"

namespace zenko {
namespace {

using testing::ScriptedEngineProcess;
using Score = EngineAnalysis::Score;
using Strings = std::vector<std::string>;

const std::string StartFen = "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR w - - 0 1";
const Strings Opening = {"h3e3", "h8e8", "h1g3", "h10g8"};
// Black is in check from the chariot; a4b6 ignores it, which this game allows.
const std::string CheckFen = "4k4/9/9/9/9/9/n8/4R4/9/3K5 b - - 0 1";
const std::string AfterCheckIgnoredFen = "4k4/9/9/9/1n7/9/9/4R4/3K5/9 b - - 0 1";
const std::string MateInOneFen = "4k4/R8/8R/9/9/9/9/9/9/3K5 w - - 0 1";  // i8i10 mates
const char* const WdlOption = "option name UCI_ShowWDL type check default false";

std::string info(const std::string& score, const std::string& wdl = "", const std::string& pv = "h3e3") {
    return ScriptedEngineProcess::info_line(score, wdl, pv);
}

std::vector<PlayedMove> moves(const Strings& texts) {
    std::vector<PlayedMove> list;
    for (const std::string& t : texts) {
        PlayedMove m{};
        EXPECT_TRUE(read_uci_move(t, 1, m.fromX, m.fromY, m.toX, m.toY)) << t;
        list.push_back(m);
    }
    return list;
}

std::string text(const PlayedMove& m) { return uci_move_text(m.fromX, m.fromY, m.toX, m.toY, 1); }

std::string position_line(const std::string& fen, const Strings& played = {}) {
    std::string line = "position fen " + fen + (played.empty() ? "" : " moves");
    for (const std::string& m : played) line += " " + m;
    return line;
}

Strings first(std::size_t count, const Strings& list) { return {list.begin(), list.begin() + count}; }

EngineSettings analysis_settings(bool analysis = true) {
    EngineSettings s{.limit = EngineSettings::Limit::Nodes, .amount = 1000};
    s.analysis = analysis;
    return s;
}

// What an answer's analysis holds, in brief: "cp 35 wdl 420 410 170 pv h3e3".
std::string brief(const EngineAnalysis& a) {
    std::string text =
        a.kind == Score::None ? "none" : (a.kind == Score::Mate ? "mate " : "cp ") + std::to_string(a.value);
    if (a.hasWdl)
        text += " wdl " + std::to_string(a.win) + " " + std::to_string(a.draw) + " " + std::to_string(a.loss);
    text += " pv";
    for (const std::string& m : a.pv) text += " " + m;
    return text;
}

TEST(UciAnalysis, TheLastScoredInfoLineOfTheSearchIsTheAnswersAnalysis) {
    struct Row {
        const char* name;
        Strings said;
        const char* analysis;
    } rows[] = {
        {"score, wdl and line",
         {info("cp 35", "420 410 170", "h3e3 h8e8")},
         "cp 35 wdl 420 410 170 pv h3e3 h8e8"},
        {"a deeper line replaces the earlier",
         {info("cp 10", "", "a4a5"), info("mate -3", "", "b1c3")},
         "mate -3 pv b1c3"},
        {"lines without a score, of a second variation or unreadable change nothing",
         {info("cp 20", "", "c4c5"), "info depth 10 currmove h3e3 currmovenumber 1", "info string hello",
          "info depth 9 multipv 2 score cp -50 pv g4g5", "info depth 9 score cp 1x2 pv g4g5",
          "info depth 9 score cp 5 wdl 1 2"},
         "cp 20 pv c4c5"},
        {"a bound is taken as the score", {"info depth 9 score cp 80 lowerbound pv h3e3"}, "cp 80 pv h3e3"},
        {"no score at all", {"info depth 1 nodes 5"}, "none pv"},
    };
    for (const Row& r : rows) {
        ScriptedEngineProcess engine;
        UciClient client(engine, "fairy-stockfish");
        Strings lines = r.said;
        lines.push_back("bestmove h3e3");
        engine.search = [&](const std::string&) { return lines; };
        client.think(StartFen, analysis_settings());
        engine.deliver();
        const std::optional<EngineAnswer> answer = client.take_answer();
        ASSERT_TRUE(answer && answer->ok()) << r.name;
        EXPECT_EQ(brief(answer->analysis), r.analysis) << r.name;
    }
}

// A stopped search's lines come before its bestmove, while the next
// question waits: the next answer holds only what its own search said.
TEST(UciAnalysis, AStoppedSearchsLateLinesNeverReachTheNextAnswer) {
    ScriptedEngineProcess engine;
    UciClient client(engine, "fairy-stockfish");
    int searches = 0;
    engine.search = [&](const std::string&) {
        return ++searches == 1 ? Strings{} : Strings{"bestmove b1c3"};
    };
    client.think(StartFen, analysis_settings());
    engine.deliver();
    client.think(StartFen, analysis_settings());
    engine.say(info("cp 999", "900 100 0"));
    engine.say("bestmove h3e3");
    engine.deliver();
    const std::optional<EngineAnswer> answer = client.take_answer();
    ASSERT_TRUE(answer && answer->ok());
    EXPECT_EQ(answer->move, "b1c3");
    EXPECT_EQ(answer->analysis.kind, Score::None);
    EXPECT_FALSE(answer->analysis.hasWdl);
}

// The game's own questions send what they always sent, even to an engine
// offering WDL figures and contempt; an analysis sets both, once.
TEST(UciAnalysis, OnlyAnalysisAsksForWdlAndSwitchesContemptOff) {
    for (const bool analysis : {false, true}) {
        ScriptedEngineProcess engine;
        engine.options.push_back(WdlOption);
        engine.options.push_back("option name Contempt type spin default 24 min -100 max 100");
        UciClient client(engine, "fairy-stockfish");
        for (int i = 0; i < 2; ++i) client.think(StartFen, analysis_settings(analysis)), engine.deliver();
        const auto count = [&](const char* line) {
            return std::count(engine.written.begin(), engine.written.end(), line);
        };
        EXPECT_EQ(count("setoption name UCI_ShowWDL value true"), analysis ? 1 : 0) << analysis;
        EXPECT_EQ(count("setoption name Contempt value 0"), analysis ? 1 : 0) << analysis;
    }
}

TEST(ReviewJudgement, MarksFromTheDropAtTheirThresholds) {
    const MarkThresholds lower{.inaccuracy = 0.01, .mistake = 0.02, .blunder = 0.025};
    struct Row {
        const char* name;
        double before, after;
        bool engineBest;
        MarkThresholds thresholds;
        ReviewMark mark;
    } rows[] = {
        {"a drop just short of 0.05", 0.600, 0.551, false, {}, ReviewMark::None},
        {"0.05", 0.600, 0.550, false, {}, ReviewMark::Inaccuracy},
        {"just short of 0.10", 0.600, 0.501, false, {}, ReviewMark::Inaccuracy},
        {"0.10 from per-mille figures", 0.750, 0.650, false, {}, ReviewMark::Mistake},
        {"just short of 0.15", 0.600, 0.451, false, {}, ReviewMark::Mistake},
        {"0.15", 0.800, 0.650, false, {}, ReviewMark::Blunder},
        {"a gain", 0.400, 0.600, false, {}, ReviewMark::None},
        {"the engine's best, whatever the searches said", 0.800, 0.300, true, {}, ReviewMark::None},
        {"decided: won before and after", 0.999, 0.971, false, lower, ReviewMark::None},
        {"decided: lost before and after", 0.029, 0.001, false, lower, ReviewMark::None},
        {"won, then no longer", 0.990, 0.965, false, lower, ReviewMark::Blunder},
    };
    for (const Row& r : rows)
        EXPECT_EQ(mark_move(r.before, r.after, r.engineBest, r.thresholds), r.mark) << r.name;
    // Lichess's points of move accuracy: no loss 100, ten points of win percentage 63.6, all lost 0.
    EXPECT_NEAR(move_accuracy(0.55, 0.60), 100, 0.01);
    EXPECT_NEAR(move_accuracy(0.70, 0.60), 63.6, 0.1);
    EXPECT_NEAR(move_accuracy(1, 0), 0, 1e-9);
}

// A review whose engine answers each position line as the test scripts it.
struct ScriptedReview {
    ScriptedEngineProcess engine;
    ReviewSession session{engine, "fairy-stockfish", 1000};
    std::map<std::string, Strings> script;
    std::vector<PositionValue> positions;
    std::vector<MoveJudgement> judged;
    std::vector<EngineFailure> ends;

    explicit ScriptedReview(bool offersWdl = true) {
        if (offersWdl) engine.options.push_back(WdlOption);
        engine.search = [this](const std::string& position) { return script[position]; };
        session.positionReviewed = [this](const PositionValue& v) { positions.push_back(v); };
        session.moveJudged = [this](const MoveJudgement& j) { judged.push_back(j); };
        session.finished = [this](EngineFailure f) { ends.push_back(f); };
    }
    void says(const std::string& fen, const Strings& played, const std::string& score, const std::string& wdl,
              const std::string& best) {
        script[position_line(fen, played)] = {info(score, wdl, best + " a10a9"), "bestmove " + best};
    }
    Strings marks() const {
        Strings texts;
        for (const MoveJudgement& j : judged) texts.push_back(j.judged ? mark_text(j.mark) : "unjudged");
        return texts;
    }
};

// The mover's expected scores on both sides of each move (red, black, red, black):
// 0.55 -> 0.25 the engine's best; 0.75 -> 0.65 ?; 0.35 -> 0.20 ??; 0.80 -> 0.75 ?!
TEST(ReviewSession, MarksEachMoveAsTheWdlFiguresCome) {
    ScriptedReview r;
    const char* wdl[] = {"300 500 200", "600 300 100", "200 300 500", "700 200 100", "100 300 600"};
    for (std::size_t k = 0; k <= 4; ++k)
        r.says(StartFen, first(k, Opening), "cp 0", wdl[k], k % 2 ? "b10c8" : "h3e3");
    ASSERT_TRUE(r.session.start({StartFen, moves(Opening)}));
    r.engine.deliver();
    ASSERT_EQ(r.ends, std::vector<EngineFailure>{EngineFailure::None});
    EXPECT_EQ(r.session.done(), r.session.total());
    EXPECT_EQ(r.marks(), (Strings{"-", "?", "??", "?!"}));
    EXPECT_TRUE(r.judged[0].engineBest);
    EXPECT_NEAR(r.judged[1].after, 0.65, 1e-12);
    ASSERT_TRUE(r.judged[2].best);
    EXPECT_EQ(text(*r.judged[2].best), "h3e3");
    EXPECT_EQ(r.judged[2].line.size(), 2u);
    EXPECT_NEAR(r.positions[3].red_expected(), 0.20, 1e-12);
    const ReviewSummary s = r.session.summary();
    EXPECT_EQ((std::vector<int>{s.red.blunders, s.red.judged, s.black.inaccuracies, s.black.mistakes}),
              (std::vector<int>{1, 2, 1, 1}));
    // The engine's best counts as no loss, whatever the two searches said.
    EXPECT_NEAR(s.red.accuracy, (100 + move_accuracy(0.35, 0.20)) / 2, 1e-9);
}

// Without WDL: red 0.75 (C centipawns) -> 0.5 ??; black 0.5 -> 0.5;
// red 0.5 -> 0 (black mates in 2) ??; black 1 -> 1 (red is mated in 1).
// The last game ends in mate, whose value needs no engine.
TEST(ReviewSession, WithoutWdlCentipawnsAndMatesGiveTheScores) {
    ScriptedReview r(false);
    const char* scores[] = {"cp 300", "cp 0", "cp 0", "mate 2", "mate -1"};
    ASSERT_EQ(CentipawnsAtThreeQuarters, 300);
    for (std::size_t k = 0; k <= 4; ++k) r.says(StartFen, first(k, Opening), scores[k], "", "b1c3");
    ASSERT_TRUE(r.session.start({StartFen, moves(Opening)}));
    r.engine.deliver();
    EXPECT_EQ(r.marks(), (Strings{"??", "-", "??", "-"}));
    EXPECT_NEAR(r.judged[2].after, 0.0, 1e-12);

    r.says(MateInOneFen, {}, "mate 1", "", "i8i10");
    ASSERT_TRUE(r.session.start({MateInOneFen, moves({"i8i10"})}));
    r.engine.deliver();
    EXPECT_EQ(r.engine.written.back(), "go nodes 1000");
    EXPECT_EQ(r.engine.written.end()[-2], position_line(MateInOneFen));  // the mated position is not asked
    EXPECT_NEAR(r.session.judgements().at(0).after, 1.0, 1e-12);
}

// 中止, or another game in the middle: the search under way is stopped, its
// late lines and answer change nothing, and the next game is reviewed whole.
TEST(ReviewSession, StopAndRestartApplyNoLateResult) {
    const Strings other = {"b3e3", "b8e8"};
    for (const bool stopFirst : {true, false}) {
        ScriptedReview r;
        for (std::size_t k = 0; k <= 1; ++k)
            r.says(StartFen, first(k, Opening), "cp 30", "300 500 200", "h3e3");
        ASSERT_TRUE(r.session.start({StartFen, moves(Opening)}));
        r.engine.deliver();  // the third position thinks until stopped
        ASSERT_EQ(r.session.done(), 2);
        r.positions.clear(), r.judged.clear();
        for (std::size_t k = 0; k <= 2; ++k) r.says(StartFen, first(k, other), "cp 0", "100 800 100", "b3e3");
        if (stopFirst) {
            r.session.stop();
            EXPECT_EQ(r.engine.written.back(), "stop");
        } else {
            ASSERT_TRUE(r.session.start({StartFen, moves(other)}));
        }
        r.engine.say(info("mate 1", "1000 0 0", "h1g3"));
        r.engine.say("bestmove h1g3");
        r.engine.deliver();
        if (stopFirst) {
            EXPECT_TRUE(r.positions.empty() && r.ends.empty());
            ASSERT_TRUE(r.session.start({StartFen, moves(other)}));
            r.engine.deliver();
        }
        ASSERT_EQ(r.ends, std::vector<EngineFailure>{EngineFailure::None}) << stopFirst;
        ASSERT_EQ(r.positions.size(), 3u) << stopFirst;
        for (const PositionValue& v : r.positions) EXPECT_NEAR(v.expected, 0.5, 1e-12) << stopFirst;
        EXPECT_EQ(r.marks(), (Strings{"-", "-"})) << stopFirst;
        EXPECT_EQ(text(r.judged[0].move), "b3e3") << stopFirst;
    }
}

// A move that leaves its own general attacked cannot be shown to the engine:
// the position after it is passed over, the next is asked afresh, and only
// a move between two valued positions is judged.
TEST(ReviewSession, AGameTheStandardRulesForbidIsReviewedWhereItCanBe) {
    ScriptedReview r;
    r.says(CheckFen, {}, "cp -50", "200 300 500", "e10f10");
    r.says(AfterCheckIgnoredFen, {}, "cp 0", "300 400 300", "e10d10");
    r.says(AfterCheckIgnoredFen, {"e10f10"}, "cp 0", "500 400 100", "d2d1");
    ASSERT_TRUE(r.session.start({CheckFen, moves({"a4b6", "d1d2", "e10f10"})}));
    r.engine.deliver();
    Strings asked;
    for (const std::string& line : r.engine.written)
        if (line.rfind("position ", 0) == 0) asked.push_back(line);
    EXPECT_EQ(asked, (Strings{position_line(CheckFen), position_line(AfterCheckIgnoredFen),
                              position_line(AfterCheckIgnoredFen, {"e10f10"})}));
    EXPECT_FALSE(r.positions.at(1).valued);
    EXPECT_EQ(r.marks(), (Strings{"unjudged", "unjudged", "??"}));
    EXPECT_EQ(r.session.summary().black.judged + r.session.summary().red.judged, 1);
    EXPECT_FALSE(r.session.start({StartFen, moves({"a1a5"})}));  // the piece rules refuse it
}

TEST(ReviewSession, AFailingEngineEndsTheReviewWithItsReason) {
    ScriptedReview crashing;
    crashing.says(StartFen, {}, "cp 30", "300 500 200", "h3e3");
    ASSERT_TRUE(crashing.session.start({StartFen, moves(Opening)}));
    crashing.engine.deliver();
    crashing.engine.crash();
    EXPECT_EQ(crashing.ends, std::vector<EngineFailure>{EngineFailure::Crashed});
    EXPECT_EQ(crashing.session.done(), 1);
    ScriptedReview missing;
    missing.engine.runs = false;
    ASSERT_TRUE(missing.session.start({StartFen, moves(Opening)}));
    EXPECT_EQ(missing.ends, std::vector<EngineFailure>{EngineFailure::CannotStart});
}

// Short games with a planted blunder, reviewed by Fairy-Stockfish at the
// default budget: each blunder is marked ??.
TEST(ReviewSession, TheRealEngineMarksAPlantedBlunder) {
    const EngineLocation engine = find_engine();
    if (engine.command.empty()) GTEST_SKIP() << "no Xiangqi engine installed";
    struct Row {
        const char* name;
        std::string fen;
        Strings moves;
        std::size_t blunder;  // its ply
    } rows[] = {
        {"a chariot left to the other chariot",
         StartFen,
         {"h3e3", "h8e8", "h1g3", "h10g8", "i1h1", "i10h10", "h1h7"},
         7},
        {"a mate in one missed, and mated", "4k4/R8/8R/9/9/9/P1n6/r8/9/3K5 w - - 0 1", {"a4a5", "a3a1"}, 1},
    };
    for (const Row& r : rows) {
        tool::PosixEngineProcess process;
        ReviewSession session(process, engine.command);
        std::optional<EngineFailure> ended;
        session.finished = [&](EngineFailure f) { ended = f; };
        ASSERT_TRUE(session.start({r.fen, moves(r.moves)})) << r.name;
        while (!ended) process.wait_for_event();
        ASSERT_EQ(*ended, EngineFailure::None) << r.name;
        const MoveJudgement& j = session.judgements().at(r.blunder - 1);
        EXPECT_EQ(j.mark, ReviewMark::Blunder) << r.name << ": " << j.before << " -> " << j.after;
    }
}

}  // namespace
}  // namespace zenko
