// Perft from the starting position to depth 4, by the game's own rules and
// by the standard rules, side by side with Fairy-Stockfish's `go perft 4` on
// the same machine (which counts by the standard rules: 3290240 leaves). The
// other engine runs as a child process kept alive across iterations; only
// the time from the command to its node count is measured. Without the
// binary that side is skipped.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "rules/engine.h"
#include "rules/standard_rules.h"

namespace {

const char* const StartFen = "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR w";

void BM_PerftStartDepth4(benchmark::State& state) {
    zenko::Engine engine;
    bool manToMove = true;
    if (!engine.set_fen(StartFen, &manToMove)) return state.SkipWithError("bad FEN");
    long long leaves = 0;
    for (auto _ : state) benchmark::DoNotOptimize(leaves = engine.perft(4, manToMove));
    state.counters["leaves"] = static_cast<double>(leaves);
}
BENCHMARK(BM_PerftStartDepth4)->Unit(benchmark::kMillisecond);

void BM_StandardPerftStartDepth4(benchmark::State& state) {
    zenko::Engine engine;
    bool manToMove = true;
    if (!engine.set_fen(StartFen, &manToMove)) return state.SkipWithError("bad FEN");
    long long leaves = 0;
    for (auto _ : state) benchmark::DoNotOptimize(leaves = zenko::standard_perft(engine, 4, manToMove));
    state.counters["leaves"] = static_cast<double>(leaves);
    state.SetItemsProcessed(state.iterations() * leaves);
}
BENCHMARK(BM_StandardPerftStartDepth4)->Unit(benchmark::kMillisecond);

// The first of the usual places that holds the binary, or "" for none.
std::string fairy_stockfish_path() {
    if (const char* set = std::getenv("FAIRY_STOCKFISH")) return set;
    for (const char* path :
         {"/usr/games/fairy-stockfish", "/usr/bin/fairy-stockfish", "/usr/local/bin/fairy-stockfish"})
        if (access(path, X_OK) == 0) return path;
    return "";
}

// A UCI engine on two pipes.
class UciChild {
public:
    explicit UciChild(const std::string& path) {
        int toChild[2], fromChild[2];
        if (pipe(toChild) != 0 || pipe(fromChild) != 0) return;
        pid = fork();
        if (pid == 0) {
            dup2(toChild[0], STDIN_FILENO);
            dup2(fromChild[1], STDOUT_FILENO);
            close(toChild[1]), close(fromChild[0]);
            execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(toChild[0]), close(fromChild[1]);
        in = fdopen(toChild[1], "w");
        out = fdopen(fromChild[0], "r");
    }
    ~UciChild() {
        if (in) send("quit"), std::fclose(in);
        if (out) std::fclose(out);
        if (pid > 0) waitpid(pid, nullptr, 0);
    }
    bool running() const { return pid > 0 && in && out; }
    void send(const std::string& line) {
        std::fputs((line + "\n").c_str(), in);
        std::fflush(in);
    }
    // Reads lines until one starts with `prefix`; returns it, or "" at the end.
    std::string wait_for(const std::string& prefix) {
        char buffer[4096];
        while (std::fgets(buffer, sizeof buffer, out))
            if (std::string(buffer).rfind(prefix, 0) == 0) return buffer;
        return "";
    }

private:
    pid_t pid = -1;
    FILE* in = nullptr;
    FILE* out = nullptr;
};

void BM_FairyStockfishPerftStartDepth4(benchmark::State& state) {
    const std::string path = fairy_stockfish_path();
    if (path.empty()) return state.SkipWithError("fairy-stockfish not installed");
    UciChild child(path);
    if (!child.running()) return state.SkipWithError("fairy-stockfish did not start");
    child.send("uci");
    child.send("setoption name UCI_Variant value xiangqi");
    child.send("position startpos");
    child.send("isready");
    if (child.wait_for("readyok").empty()) return state.SkipWithError("fairy-stockfish did not answer");
    std::string nodes;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        child.send("go perft 4");
        nodes = child.wait_for("Nodes searched");
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (nodes.empty()) return state.SkipWithError("no node count");
    }
    state.counters["leaves"] = std::atof(nodes.substr(nodes.find(':') + 1).c_str());
}
BENCHMARK(BM_FairyStockfishPerftStartDepth4)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
