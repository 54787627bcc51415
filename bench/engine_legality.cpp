// Speed of the legality test, the inner loop of the computer's search.
#include <benchmark/benchmark.h>

#include "rules/engine.h"

namespace {

using zenko::Engine;

const char* const StartFen = "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR w";
const char* const MiddlegameFen = "2bakab1r/9/1cn1c1n2/p1p1p3p/6p2/2P6/P3P1P1P/1CN1C1N2/9/R1BAKAB1R w";

// Every piece of a middlegame position asked about every square of the board.
void BM_MoveCheckAllPairs(benchmark::State& state) {
    Engine engine;
    if (!engine.set_fen(MiddlegameFen)) return state.SkipWithError("bad FEN");
    long long calls = 0;
    for (auto _ : state) {
        int legal = 0;
        for (int x1 = 1; x1 <= zenko::BoardFiles; ++x1)
            for (int y1 = 1; y1 <= zenko::BoardRanks; ++y1) {
                const int piece = engine.piece_at(x1, y1);
                if (piece == zenko::PieceEmpty) continue;
                for (int x2 = 1; x2 <= zenko::BoardFiles; ++x2)
                    for (int y2 = 1; y2 <= zenko::BoardRanks; ++y2) {
                        legal += engine.移動チェック(x1, y1, x2, y2, piece);
                        ++calls;
                    }
            }
        benchmark::DoNotOptimize(legal);
    }
    state.SetItemsProcessed(calls);
}
BENCHMARK(BM_MoveCheckAllPairs);

void BM_PerftStartDepth3(benchmark::State& state) {
    Engine engine;
    bool manToMove = true;
    if (!engine.set_fen(StartFen, &manToMove)) return state.SkipWithError("bad FEN");
    for (auto _ : state) benchmark::DoNotOptimize(engine.perft(3, manToMove));
    state.SetItemsProcessed(state.iterations() * 80288);
}
BENCHMARK(BM_PerftStartDepth3)->Unit(benchmark::kMillisecond);

}  // namespace
