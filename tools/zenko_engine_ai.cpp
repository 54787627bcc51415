// The computer player's subcommands: the influence tables of a position,
// the scored candidates of a search, the two mate tests and a timing bench.
#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "rules/engine.h"
#include "tools/zenko_engine.h"

namespace zenko::tool {
namespace {

// Loads a FEN into a fresh engine; false for a malformed one.
bool load(Engine& engine, const std::string& fen) {
    bool manToMove = false;
    return engine.set_fen(fen, &manToMove);
}

void print_table(const char* name, const SquareTable<int>& table) {
    std::printf("%s\n", name);
    for (int y = 1; y <= BoardRanks; ++y)
        for (int x = 1; x <= BoardFiles; ++x) std::printf("%d%c", table[x][y], x < BoardFiles ? ' ' : '\n');
}

// A score in tenths as a decimal with one place, exactly.
std::string decimal(Score tenths) {
    const Score whole = std::abs(tenths) / ScoreUnit, tenth = std::abs(tenths) % ScoreUnit;
    return (tenths < 0 ? "-" : "") + std::to_string(whole) + "." + std::to_string(tenth);
}

class PrintingObserver : public SearchObserver {
public:
    void candidate_scored(int fromX, int fromY, int toX, int toY, Score score) override {
        std::printf("%d %d %d %d %s\n", fromX, fromY, toX, toY, decimal(score).c_str());
    }
};

bool parse_level(const std::string& text, int& level) {
    if (text.size() != 1 || text[0] < '1' || text[0] > '3') return false;
    level = text[0] - '0';
    return true;
}

}  // namespace

int survey_command(const Args& args) {
    if (args.size() != 1) return usage_error("usage: zenko-engine survey FEN");
    auto engine = std::make_unique<Engine>();
    if (!load(*engine, args[0])) return usage_error("survey: malformed FEN '" + args[0] + "'");
    engine->settle_before_move();
    engine->勢力調査();
    print_table("ManInfluence", engine->man_influence());
    print_table("ComInfluence", engine->com_influence());
    print_table("ManAttacker", engine->man_attacker());
    print_table("ComAttacker", engine->com_attacker());
    print_table("ComGuard", engine->com_guard());
    print_table("ManGeneralCheck", engine->man_general_check());
    print_table("ComGeneralCheck", engine->com_general_check());
    std::printf("generals %d %d %d %d\n", engine->com_general().x, engine->com_general().y,
                engine->man_general().x, engine->man_general().y);
    return 0;
}

int moves_command(const Args& args) {
    if (args.size() != 2) return usage_error("usage: zenko-engine moves FEN LEVEL");
    auto engine = std::make_unique<Engine>();
    if (!load(*engine, args[0])) return usage_error("moves: malformed FEN '" + args[0] + "'");
    int level = 0;
    if (!parse_level(args[1], level)) return usage_error("moves: LEVEL must be 1, 2 or 3");
    PrintingObserver printer;
    const SearchResult best = engine->start_computer_turn({level}, &printer);
    if (!best.found) {
        std::printf("best none\n");
    } else {
        std::printf("best %d %d %d %d %s\n", best.fromX, best.fromY, best.toX, best.toY,
                    decimal(best.score).c_str());
    }
    return 0;
}

int mate_command(const Args& args) {
    if (args.size() != 1) return usage_error("usage: zenko-engine mate FEN");
    auto engine = std::make_unique<Engine>();
    if (!load(*engine, args[0])) return usage_error("mate: malformed FEN '" + args[0] + "'");
    engine->settle_before_move();
    engine->待避_移動前盤();
    std::printf("MAN %d\n", engine->詰めかMAN() == FlagOn ? 1 : 0);
    std::printf("COM %d\n", engine->詰めかCOM() == FlagOn ? 1 : 0);
    return 0;
}

}  // namespace zenko::tool

// ---- bench ----
namespace zenko::tool {
namespace {

// Positions for timing the search: openings, middlegames (some with a
// general in check) and endgames.
const char* const BenchPositions[] = {
    // The starting position, with the computer to open
    "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR b",
    // Openings
    "rnbakabnr/9/c6c1/p1p1p1p1p/9/9/P1P1P1PCP/1C2B4/9/RNBAKA1NR b",
    "rnbaka1nr/9/1c5cb/p1p1p1p1p/9/9/P1P1P1P1P/NC3C3/9/R1BAKABNR b",
    "rnbakabnr/9/1c5c1/p1p3p1p/4p4/9/P1P1P1P1P/3C5/1C7/RNBAKABNR b",
    "rnbakabnr/9/1c5c1/p1p3p1p/4p4/9/P1P1P1P1P/1C4C2/9/RNBAKABNR b",
    "rnbakabn1/9/1c5cr/p1p1p1p1p/9/6P2/P1P1P3P/1CC6/9/RNBAKABNR b",
    "rnbakabnr/9/1c5c1/p1p3p1p/4p4/9/PCP1P1P1P/3C5/9/RNBAKABNR b",
    "1nbakabnr/r8/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/4C2CB/9/RNBAKA1NR b",
    "rnbakabnr/9/1c5c1/p1p3p1p/4p4/2P6/P3P1PCP/1C7/9/RNBAKABNR b",
    "1nbakabnr/r8/2c4c1/2p1p1p1p/p8/6P2/P1P1P2CP/C8/9/RNBAKABNR b",
    "rnbakabn1/8r/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C2C4/8R/RNBAKABN1 b",
    "2bakabnr/9/r1n4c1/p1p1p1p1p/9/1c5CP/P1P1P1P2/9/RC7/1NBAKABNR b",
    "1nbakabnr/r8/1c2c4/p1p3p1p/4p4/P8/2P1P1P1P/2C6/7C1/RNBAKABNR b",
    // Middlegames
    "1nbakabnr/r8/1c7/p1p1p1p1p/9/4c3P/P1P3P2/4C1C2/R3A4/1NB1KABNR b",
    "rnbakabnr/9/7c1/p1p1p1p1p/1C7/9/P1P1P1P1P/5C3/9/RcBAKABNR b",
    "rnbakabnr/9/7c1/p1p3p1p/4p4/P1P6/4c1P1P/1C5C1/9/RNBAKABNR b",
    "rnbakabCr/9/1c7/p1p1p1p1p/7c1/9/P1P1P1P1P/1C4N2/9/RNBAKAB1R b",
    "1nbakabnr/1c1C5/7c1/2p3p1p/4p4/9/R1P1P1P1P/9/9/1NBAKABNR b",
    "1nbakab2/r6r1/1c7/p1p3pcp/1C7/9/P1P1P1P1P/6N2/4K4/RNBA1AB1R b",
    "2bakabr1/1r7/1c5R1/p1p5p/4p1p2/9/P1P1P1P1P/9/9/1NBAKABNR b",
    "rnbakabCr/9/4C1c2/p1p3p1p/4p4/9/P1P1P1P1P/9/9/RNBAKABNR b",
    "1nbakab2/4r3r/8c/p1p3p1p/4p4/9/P1c1P4/7C1/4R4/RNBAKABN1 b",
    "rnbakabr1/9/7c1/p1p3p1p/4p4/P8/2P1P1P1P/1C2B4/R8/1cBAKA1NR b",
    "1n1akaRn1/5r3/4b4/C1p6/2C5r/4P4/Pc4P2/2N6/R3A4/2B1KABN1 b",
    "2bakabn1/1r2r4/1c5c1/C1p3p1p/4p4/9/P1P1P1P1P/9/3K5/RNBA1ABNR b",
    "1n1akab2/7Cr/b5nc1/1cp3p1p/9/9/P1P1P1P1P/2C6/9/RNBAKABNR b",
    "2bakabn1/1r6r/1c7/p1p1p1p1p/9/4P3P/P1P3c2/6NC1/R3A4/1NB1KAB1R b",
    // The COM general in check
    "3k1abn1/r8/4b4/p1C6/4p1p2/8r/P1P1P1P2/2N1B4/3R5/3AKABN1 b",
    "1rbaka1Cr/7c1/1c2b4/p1p1p1p1p/9/9/P1P1P1P1P/B7N/9/RN1AKAB1R b",
    "2baka1n1/3r5/4R2c1/9/P7p/5p3/2P5P/9/1R2A4/1NB1KABN1 b",
    "rnCakabr1/9/7c1/p1c5p/4p1p2/9/P1P1P1P1P/8B/9/RNBAKA1NR b",
    "r2akabn1/9/P3R4/1C6p/6p2/2P5P/6P2/8B/c8/r1BAK2NR b",
    "2bk3R1/1c2r4/8r/p1p3p1p/9/2P1p3P/P5P2/9/C8/RNBAKAB2 b",
    "rCb1ka1Cr/4a4/1c5cb/p1p3p1p/4p4/9/P1P1P1P1P/4B1N2/9/RNBAKA2R b",
    "rnbaka1Cr/9/1c2b2c1/p1p1p1p1p/9/9/P1P1P1P1P/1CN6/9/R1BAKABNR b",
    // The MAN general in check
    "2bakabnr/r8/nC2c2c1/p1p3p1p/4P4/2P6/P5P1P/2C5B/9/RNBAKA1NR b",
    "2bakab2/4r4/4c4/p1p1P1p1p/9/7c1/P1P3P1P/9/2N2N3/1rBAKAB1R b",
    "rnbakabnr/9/9/p1p1p1p1p/9/3c5/P1P1P1P1P/6CCB/4A3R/RNB1KA1c1 b",
    "1nba1abnr/r3k4/1c7/p1C3p1p/4p4/P8/2P1c1P1P/9/4A2C1/RNBAK1BNR b",
    "1nbak1b2/4a2r1/7c1/p2r2p1p/4P4/8P/P1P3N2/N3B4/9/R1BK1A2R b",
    "rnbakabnr/9/1c7/p1p1p1p1p/9/9/P1P1P1P1P/1CN4CB/9/R1BAKA1cR b",
    // Endgames
    "2bak4/4a4/9/9/4p1b2/9/4P4/9/4A4/4K1B2 b",
    "4k4/9/9/7R1/2p5p/6P2/2P6/4B4/4K4/3A1A3 b",
    "9/4ak3/3a4b/9/2b6/9/9/4K4/9/2pA5 b",
    "9/3k5/9/9/6b1p/9/9/8B/9/1p3K3 b",
    "4k1b2/4a4/9/9/9/1p7/9/3AB4/9/N2AK4 b",
    "4ka3/9/9/9/9/4p4/9/9/9/3K1A3 b",
    "2b1k1b2/4a4/3a5/9/P8/3n2PN1/9/4B4/9/3A1K3 b",
    "1nbak4/9/b8/9/9/2B3B1P/1p7/9/4A4/3K1A3 b",
    "9/3k5/6P2/9/9/4P1P2/2P6/N3B1N2/5K3/2BA1A3 b",
    "9/3k5/9/9/9/2B3P2/1RP6/9/5K3/3A1A3 b",
    "3aka3/9/b3bn3/9/P8/2P3p2/9/3A5/4K4/N8 b",
    "9/5k3/3C3R1/9/9/9/6P2/4K4/4A4/1NB6 b",
    "3k2P2/9/9/9/4P1P2/2B6/2P6/2N6/4AK3/1NB2A3 b",
    "3k1ab2/9/9/p5p2/1P3r3/P8/4p1r2/B2AB4/9/3AK4 b",
    // The computer's general can step onto the file of its own horse
    "4k4/9/9/9/5n3/9/9/9/9/5K3 b",
};

constexpr int WarmupRuns = 3;
constexpr int TimedRuns = 41;

double median_of(std::vector<double>& values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The typical time of one search of the position, in microseconds: the
// median of repeated runs, after a few to warm the caches.
double typical_search_us(Engine& engine) {
    for (int i = 0; i < WarmupRuns; ++i) engine.探索();
    std::vector<double> times(TimedRuns);
    for (double& time : times) {
        const auto start = std::chrono::steady_clock::now();
        engine.探索();
        time = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    }
    return median_of(times);
}

// FENs one per line; blank lines are skipped.
bool read_fen_file(const std::string& path, std::vector<std::string>& fens, std::string& error) {
    std::ifstream in(path);
    if (!in) return error = "bench: cannot read '" + path + "'", false;
    for (std::string line; std::getline(in, line);) {
        while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
        if (!line.empty()) fens.push_back(line);
    }
    if (fens.empty()) return error = "bench: no positions in '" + path + "'", false;
    return true;
}

}  // namespace

int bench_command(const Args& args) {
    if (args.size() > 1) return usage_error("usage: zenko-engine bench [FILE]");
    std::vector<std::string> fens;
    if (args.empty()) {
        fens.assign(std::begin(BenchPositions), std::end(BenchPositions));
    } else if (std::string error; !read_fen_file(args[0], fens, error)) {
        return usage_error(error);
    }
    std::vector<double> typical;
    auto engine = std::make_unique<Engine>();
    for (const std::string& fen : fens) {
        *engine = Engine{};
        if (!load(*engine, fen)) return usage_error("bench: malformed FEN '" + fen + "'");
        engine->settle_before_move();
        engine->待避_移動前盤();
        typical.push_back(typical_search_us(*engine));
    }
    const double slowest = *std::max_element(typical.begin(), typical.end());
    std::printf("bench positions=%zu median_us=%.0f max_us=%.0f\n", typical.size(), median_of(typical),
                slowest);
    return 0;
}

}  // namespace zenko::tool
