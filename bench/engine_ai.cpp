// Speed of the computer player: the influence survey, the evaluation of one
// candidate and the whole one-move search. A counting operator new shows
// that none of them touches the heap.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "rules/engine.h"

namespace {

std::atomic<long long> allocations{0};

}  // namespace

// Out of line, so that the compiler does not pair an inlined free() with new.
[[gnu::noinline]] void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using zenko::Engine;

const char* const StartFen = "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR b";
const char* const MiddlegameFen = "2bakab1r/9/1cn1c1n2/p1p1p3p/6p2/2P6/P3P1P1P/1CN1C1N2/9/R1BAKAB1R b";
// The MAN chariot on (5,6) checks the COM general, so many candidates run the mate test.
const char* const CheckFen = "3akab2/9/2n6/p5p1p/2p6/4R4/P1P1P1P1P/4B4/4A4/3AK4 b";
const char* const EndgameFen = "3k5/4a4/4b4/9/2p6/6R2/9/4C4/4A4/4K4 b";

// A position as the computer is asked to move in it.
bool prepare(Engine& engine, const char* fen) {
    if (!engine.set_fen(fen)) return false;
    engine.settle_before_move();
    engine.待避_移動前盤();
    return true;
}

// Runs body in the benchmark loop and fails the benchmark if it allocated.
template <typename Body>
void run_without_allocating(benchmark::State& state, Body body) {
    const long long before = allocations.load();
    for (auto _ : state) body();
    const long long allocated = allocations.load() - before;
    state.counters["allocations"] = static_cast<double>(allocated);
    if (allocated != 0) state.SkipWithError("allocated on the heap");
}

void BM_Survey(benchmark::State& state, const char* fen) {
    Engine engine;
    if (!prepare(engine, fen)) return state.SkipWithError("bad FEN");
    run_without_allocating(state, [&] {
        engine.勢力調査();
        benchmark::DoNotOptimize(engine.man_influence());
    });
}
BENCHMARK_CAPTURE(BM_Survey, start, StartFen);
BENCHMARK_CAPTURE(BM_Survey, middlegame, MiddlegameFen);

// The start position after the COM cannon on (2,3) has gone to (5,3).
void BM_Evaluation(benchmark::State& state) {
    Engine engine;
    if (!prepare(engine, StartFen)) return state.SkipWithError("bad FEN");
    engine.put_piece(2, 3, zenko::PieceEmpty);
    engine.put_piece(5, 3, zenko::ComCannon);
    engine.勢力調査();
    run_without_allocating(state, [&] {
        benchmark::DoNotOptimize(engine.盤評価(zenko::PieceEmpty, zenko::ComCannon, 2, 3, 5, 3, 3));
    });
}
BENCHMARK(BM_Evaluation);

void BM_Search(benchmark::State& state, const char* fen) {
    Engine engine;
    if (!prepare(engine, fen)) return state.SkipWithError("bad FEN");
    run_without_allocating(state, [&] { benchmark::DoNotOptimize(engine.探索()); });
    state.SetLabel("one search");
}
BENCHMARK_CAPTURE(BM_Search, start, StartFen)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Search, middlegame, MiddlegameFen)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Search, check, CheckFen)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Search, endgame, EndgameFen)->Unit(benchmark::kMicrosecond);

}  // namespace
