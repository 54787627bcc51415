// The record readers on a large file: 2,500 random legal games written by
// the PGN writer (Chinese notation, ICCS, and the Chinese file in GBK as
// most collections come), the same games as DhtmlXQ blocks and as XQF
// files, read as the game would read them. Each benchmark reports games
// and moves per second; one iteration is one whole file.
//
//   build/zenko_bench_records [--benchmark_filter=Pgn]
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "formats/xqf_encoder.h"
#include "record/formats/game_record.h"
#include "record/formats/notation.h"
#include "record/formats/readers.h"
#include "record/formats/text_encoding.h"
#include "record/formats/writers.h"
#include "rules/engine.h"

namespace {

using namespace zenko;
using namespace zenko::formats;

constexpr int Games = 2500;
constexpr int MaxPlies = 120;

// Random legal games from the full set, seeded so every run reads the same file.
const std::vector<GameRecord>& games() {
    static const std::vector<GameRecord> all = [] {
        std::vector<GameRecord> list;
        std::mt19937 random(2500);
        for (int k = 0; k < Games; ++k) {
            GameRecord& game = list.emplace_back();
            game.tags = {{"Event", "Bench " + std::to_string(k + 1)}, {"Red", "红方"}, {"Black", "黑方"}};
            game.start = full_set_board();
            Engine e;
            e.初期配置();
            bool red = true;
            for (int ply = 0; ply < MaxPlies; ++ply) {
                std::vector<Move> moves;
                e.for_each_legal_move(!red, [&](const Move& m) {
                    const int target = e.piece_at(m.toX, m.toY);
                    if (target != ComGeneral && target != ManGeneral) moves.push_back(m);
                });
                if (moves.empty()) break;
                const Move m = moves[std::uniform_int_distribution<std::size_t>(0, moves.size() - 1)(random)];
                RecordedMove& r = game.moves.emplace_back();
                r.fromX = m.fromX, r.fromY = m.fromY, r.toX = m.toX, r.toY = m.toY;
                e.駒移動(m.fromX, m.fromY, m.toX, m.toY, m.piece);
                red = !red;
            }
        }
        return list;
    }();
    return all;
}

std::size_t move_count() {
    std::size_t moves = 0;
    for (const GameRecord& g : games()) moves += g.moves.size();
    return moves;
}

void report(benchmark::State& state, std::size_t gamesRead, std::size_t movesRead) {
    if (gamesRead != games().size() || movesRead != move_count())
        state.SkipWithError("the file did not read whole");
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["games/s"] =
        benchmark::Counter(static_cast<double>(gamesRead) * iterations, benchmark::Counter::kIsRate);
    state.counters["moves/s"] =
        benchmark::Counter(static_cast<double>(movesRead) * iterations, benchmark::Counter::kIsRate);
}

std::size_t moves_in(const RecordContents& file) {
    std::size_t moves = 0;
    for (const GameRecord& g : file.games) moves += g.cut ? 0 : g.moves.size();
    return moves;
}

void read_text_file(benchmark::State& state, const std::string& bytes, const char* name) {
    RecordContents file;
    for (auto _ : state) {
        file = read_record_file(bytes, name);
        benchmark::DoNotOptimize(file.games.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes.size()) * state.iterations());
    report(state, file.games.size(), moves_in(file));
}

void BM_ReadPgnChinese(benchmark::State& state) {
    read_text_file(state, write_pgn(games(), PgnNotation::Chinese), "games.pgn");
}
BENCHMARK(BM_ReadPgnChinese)->Unit(benchmark::kMillisecond);

void BM_ReadPgnChineseGbk(benchmark::State& state) {
    read_text_file(state, encode_as(write_pgn(games(), PgnNotation::Chinese), TextEncoding::Gb18030).value(),
                   "games.pgn");
}
BENCHMARK(BM_ReadPgnChineseGbk)->Unit(benchmark::kMillisecond);

void BM_ReadPgnIccs(benchmark::State& state) {
    read_text_file(state, write_pgn(games(), PgnNotation::Iccs), "games.pgn");
}
BENCHMARK(BM_ReadPgnIccs)->Unit(benchmark::kMillisecond);

// Every game as a DhtmlXQ block of one page.
std::string dhtmlxq_page() {
    std::string page = "<html><body>\n";
    for (const GameRecord& g : games()) {
        page += "[DhtmlXQ]\n[DhtmlXQ_title]" + g.tag("Event") + "[/DhtmlXQ_title]\n[DhtmlXQ_movelist]";
        for (const RecordedMove& m : g.moves)
            for (int d : {m.fromX - 1, m.fromY - 1, m.toX - 1, m.toY - 1}) page += static_cast<char>('0' + d);
        page += "[/DhtmlXQ_movelist]\n[/DhtmlXQ]\n";
    }
    return page + "</body></html>\n";
}

void BM_ReadDhtmlXq(benchmark::State& state) { read_text_file(state, dhtmlxq_page(), "games.html"); }
BENCHMARK(BM_ReadDhtmlXq)->Unit(benchmark::kMillisecond);

// Every game as an encrypted XQF file, all read in one iteration.
void BM_ReadXqf(benchmark::State& state) {
    std::vector<std::string> files;
    for (const GameRecord& g : games()) {
        testing::XqfGame x;
        testing::place_full_set(x);
        for (const RecordedMove& m : g.moves) x.line.push_back({m.fromX, m.fromY, m.toX, m.toY, "", {}});
        files.push_back(testing::xqf_bytes(x));
    }
    std::size_t gamesRead = 0, movesRead = 0;
    for (auto _ : state) {
        gamesRead = movesRead = 0;
        for (const std::string& bytes : files) {
            const RecordContents file = read_record_file(bytes, "game.xqf");
            gamesRead += file.games.size();
            movesRead += moves_in(file);
        }
    }
    report(state, gamesRead, movesRead);
}
BENCHMARK(BM_ReadXqf)->Unit(benchmark::kMillisecond);

// The writer, for comparison: the whole file in the Chinese notation.
void BM_WritePgnChinese(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(write_pgn(games(), PgnNotation::Chinese));
    report(state, games().size(), move_count());
}
BENCHMARK(BM_WritePgnChinese)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
