// The computer's choice of move, and the engine tool that shows it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>

#include "test_positions.h"

namespace zenko::testing {
namespace {

struct Searched {
    SearchResult best;
    SearchRecorder seen;
};

// Searches a position with COM to move, after the pre-move copies are taken.
Searched search(const std::string& fen, int level = 3) {
    Engine engine;
    load_settled(engine, fen);
    engine.待避_移動前盤();
    Searched s;
    s.best = engine.探索({level}, &s.seen);
    return s;
}

// With no own piece able to move (the horse on (4,2) screens the generals,
// the elephant and the other horse are hemmed in), COM has no legal move.
constexpr const char* NoComMove = "3kb4/3nPnP2/5P3/9/9/9/9/9/9/3K5 b";

TEST(Search, NoLegalMoveIsReportedAsNone) {
    const Searched s = search(NoComMove);
    EXPECT_FALSE(s.best.found);
    EXPECT_TRUE(s.seen.candidates.empty());
    EXPECT_EQ(s.seen.columns, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

// The general's last trial visits (6,1), on the horse's file; were that square
// kept, the flying-general test would pin the horse and it would get no move.
TEST(Search, GeneralSquaresAreRestoredAfterEachCandidate) {
    Engine engine;
    load_settled(engine, "4k4/9/9/9/5n3/9/9/9/9/5K3 b");
    engine.待避_移動前盤();
    SearchRecorder seen;
    engine.探索({}, &seen);
    int horseMoves = 0;
    for (const Candidate& c : seen.candidates) horseMoves += c.fromX == 6 && c.fromY == 5;
    EXPECT_EQ(horseMoves, 8);
    EXPECT_EQ(engine.com_general().x, 5);
    EXPECT_EQ(engine.com_general().y, 1);
}

// Chariots on (6,5) and (9,10) can both take the MAN general on (6,10).
TEST(Search, TakingTheGeneralEndsTheSearchAtOnce) {
    const Searched s = search("3k5/9/9/9/5r3/9/9/9/9/5K2r b");
    ASSERT_TRUE(s.best.found);
    EXPECT_EQ(s.best.fromX, 6);
    EXPECT_EQ(s.best.toY, 10);
    EXPECT_EQ(s.best.score, 99990);
    const Candidate& last = s.seen.candidates.back();
    EXPECT_EQ((std::array<int, 4>{last.fromX, last.fromY, last.toX, last.toY}),
              (std::array<int, 4>{6, 5, 6, 10}));
    EXPECT_EQ(s.seen.columns.back(), 6);
}

TEST(Search, LevelsOneAndTwoScoreAlikeAndLevelThreeDiffers) {
    auto scores = [](int level) {
        std::vector<Score> out;
        for (const Candidate& c : search(StartFen, level).seen.candidates) out.push_back(c.score);
        return out;
    };
    EXPECT_EQ(scores(1), scores(2));
    EXPECT_NE(scores(1), scores(3));
}

// Over positions of random play: the move chosen is the first candidate of
// the best score, the search stops right after a capture of the general, and
// asking twice gives the same answer.
TEST(Search, ChoosesTheFirstBestCandidateDeterministically) {
    int positions = 0;
    for_random_positions(7, 6, 50, [&](Engine& engine, bool) {
        engine.待避_移動前盤();
        SearchRecorder seen;
        const SearchResult best = engine.探索({}, &seen);
        const SearchResult again = engine.探索();
        ++positions;
        ASSERT_EQ(best.found, !seen.candidates.empty());
        if (!best.found) return;
        std::size_t first = 0;
        for (std::size_t i = 1; i < seen.candidates.size(); ++i)
            if (seen.candidates[i].score > seen.candidates[first].score) first = i;
        const Candidate& c = seen.candidates[first];
        const std::array<int, 5> chosen{best.fromX, best.fromY, best.toX, best.toY, best.score};
        EXPECT_EQ(chosen, (std::array<int, 5>{c.fromX, c.fromY, c.toX, c.toY, c.score}));
        EXPECT_EQ(chosen, (std::array<int, 5>{again.fromX, again.fromY, again.toX, again.toY, again.score}));
        if (best.score == 99990) {
            EXPECT_EQ(first, seen.candidates.size() - 1);
        }
    });
    EXPECT_GT(positions, 100);
}

// ---- The engine tool ----

struct ToolRun {
    int status = -1;
    std::string out, err;
};

// `environment`: assignments put before the command, such as "ZENKO_ENGINE=x".
ToolRun run_tool(const std::string& arguments, const std::string& environment = "") {
    // Named after the test, since ctest may run the tests of this file side by side.
    const std::string errFile = ::testing::TempDir() +
                                ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                                ".stderr.txt";
    const std::string command =
        environment + " " + std::string(ZENKO_ENGINE_TOOL) + " " + arguments + " 2>" + errFile;
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buffer;
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        run.out.append(buffer.data(), n);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream err(errFile);
    run.err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
    return run;
}

std::string quoted(const std::string& fen) { return "'" + fen + "'"; }

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(EngineToolComputer, SurveyPrintsSevenTablesAndTheGenerals) {
    const ToolRun run = run_tool("survey " + quoted(StartFen));
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = lines_of(run.out);
    ASSERT_EQ(lines.size(), 7u * 11 + 1);
    const char* names[] = {"ManInfluence", "ComInfluence",    "ManAttacker",    "ComAttacker",
                           "ComGuard",     "ManGeneralCheck", "ComGeneralCheck"};
    for (int t = 0; t < 7; ++t) EXPECT_EQ(lines[t * 11], names[t]);
    EXPECT_EQ(lines[1], "0 1 0 0 0 0 0 1 0");  // ManInfluence, rank 1: the cannons reach the horses
    EXPECT_EQ(lines[2 * 11 + 1], "-999 -3 -999 -999 -999 -999 -999 -3 -999");
    EXPECT_EQ(lines.back(), "generals 5 1 5 10");
}

// Two candidates tie at -0.2 (the horse reaches two squares of the COM camp
// that nothing defends); the first stays best.
TEST(EngineToolComputer, MovesPrintsCandidatesAndTheBestWithOneDecimal) {
    const ToolRun run = run_tool("moves " + quoted("3k5/9/9/9/7N1/9/9/9/9/5K3 b") + " 3");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "4 1 4 2 -0.2\n4 1 5 1 -0.2\nbest 4 1 4 2 -0.2\n");
}

TEST(EngineToolComputer, MovesWithoutALegalMovePrintsBestNone) {
    const ToolRun run = run_tool("moves " + quoted(NoComMove) + " 3");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "best none\n");
}

TEST(EngineToolComputer, MateAnswersForBothSides) {
    EXPECT_EQ(run_tool("mate " + quoted("5k3/9/4r4/9/3r5/9/9/9/9/3K5")).out, "MAN 1\nCOM 0\n");
    EXPECT_EQ(run_tool("mate " + quoted("3k1P3/9/9/9/3R5/9/9/9/9/5K3")).out, "MAN 0\nCOM 1\n");
}

TEST(EngineToolComputer, BenchSummarisesTheTimesOfAFileOfPositions) {
    const std::string file = ::testing::TempDir() + "zenko_bench_positions.txt";
    std::ofstream(file) << StartFen << "\r\n\n" << NoComMove << "\n";
    const ToolRun run = run_tool("bench " + file);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(std::regex_match(run.out, std::regex("bench positions=2 median_us=[0-9]+ max_us=[0-9]+\n")))
        << run.out;
}

// best answers through the game's own choice: the game's search at
// LEVEL1-3, the general taken without asking the engine, and LEVEL3's move
// (said on stderr) when the engine cannot be run.
TEST(EngineToolComputer, BestAnswersAtEveryLevelThroughTheGamesChoice) {
    const std::string noEngine = "ZENKO_ENGINE=/nonexistent/engine";
    EXPECT_EQ(run_tool("best " + quoted("3k5/9/9/9/7N1/9/9/9/9/5K3 b") + " 3").out, "best 4 1 4 2\n");
    EXPECT_EQ(run_tool("best " + quoted("4k4/9/9/9/3r5/9/9/9/9/3K5 b") + " 6", noEngine).out,
              "best 4 5 4 10\n");
    const std::string start = quoted("rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR b");
    const ToolRun fallback = run_tool("best " + start + " 4", noEngine);
    EXPECT_EQ(fallback.status, 0);
    EXPECT_EQ(fallback.out, run_tool("best " + start + " 3").out);
    EXPECT_EQ(lines_of(fallback.err).size(), 1u) << fallback.err;
}

// The real engine, when installed: a mate in one (the chariot from b5 to
// b1; the other chariot holds rank 2) at LEVEL5's fixed node count.
TEST(EngineToolComputer, FairyStockfishFindsAMateInOneAtLevel5) {
    if (std::system("command -v fairy-stockfish >/dev/null 2>&1 || test -x /usr/games/fairy-stockfish") != 0)
        GTEST_SKIP() << "fairy-stockfish is not installed";
    const ToolRun run = run_tool("best " + quoted("5k3/9/9/9/9/1r7/9/9/r8/3K5 b") + " 5", "ZENKO_ENGINE=");
    EXPECT_EQ(run.out, "best 2 6 2 10\n");
    EXPECT_EQ(run.err, "");
}

TEST(EngineToolComputer, BadInputIsOneLineOnStderrAndStatus2) {
    const char* bad[] = {
        "survey",
        "survey 'rnbakabnr/9/9 w'",
        "moves '4k4/9/9/9/9/9/9/9/9/5K3 b'",
        "moves '4k4/9/9/9/9/9/9/9/9/5K3 b' 4",
        "moves '4k4/9/9/9/9/9/9/9/9/5K3 b' x",
        "mate 'rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNX w'",
        "bench /nonexistent/positions.txt",
        "bench a b",
        "best '4k4/9/9/9/9/9/9/9/9/5K3 b' 7",
        "best '4k4/9/9/9/9/9/9/9/9/5K3 b'",
    };
    for (const char* arguments : bad) {
        const ToolRun run = run_tool(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
        EXPECT_EQ(lines_of(run.err).size(), 1u) << arguments << ": " << run.err;
    }
}

}  // namespace
}  // namespace zenko::testing
