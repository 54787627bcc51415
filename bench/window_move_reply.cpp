// From the click that completes the person's move to the computer's reply
// painted, over scripted games against the computer at each level. Each
// iteration times one such click; the median and the slowest reply are
// reported as counters.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <vector>

#include "fakes.h"
#include "form_test_access.h"

namespace zenko {
namespace {

using testing::FormFixture;

struct Move {
    int fx, fy, tx, ty;
};

// The person of the script: takes the biggest piece it can, else plays a
// legal move from a fixed pseudo-random sequence; the game is reproducible.
class ScriptedPerson {
public:
    Move choose(Form1& form) {
        std::vector<Move> legal;
        Move best{};
        int bestGain = 0;
        for (int x = 1; x <= BoardFiles; ++x)
            for (int y = 1; y <= BoardRanks; ++y) {
                const int p = form.engine().piece_at(x, y);
                if (p >= 0) continue;
                for (int tx = 1; tx <= BoardFiles; ++tx)
                    for (int ty = 1; ty <= BoardRanks; ++ty) {
                        if (form.engine().移動チェック(x, y, tx, ty, p) != FlagOn) continue;
                        legal.push_back({x, y, tx, ty});
                        if (form.engine().piece_at(tx, ty) > bestGain)
                            bestGain = form.engine().piece_at(tx, ty), best = legal.back();
                    }
            }
        seed_ = seed_ * 1103515245u + 12345u;
        if (bestGain > 0) return best;
        return legal[(seed_ >> 8) % legal.size()];
    }

private:
    std::uint32_t seed_ = 777;
};

void click(Form1& form, int x, int y) {
    form.Form_MouseDown(1, 0, BoardOriginX + SquareWidth * x + SquareWidth / 2.0,
                        BoardOriginY + SquareHeight * y + SquareHeight / 2.0);
}

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void BM_MoveToComputerReply(benchmark::State& state) {
    FormFixture f;
    Form1& form = f.form;
    form.レベル_設定(static_cast<int>(state.range(0)));
    form.set_clock_shown(true);  // the clock ticks during the search as in play
    form.初期設定();
    ScriptedPerson person;
    std::vector<double> replies;
    for (auto _ : state) {
        if (form.play().Turn == NoGame) form.SENTE_Click();  // a finished game starts again
        const Move m = person.choose(form);
        click(form, m.fx, m.fy);
        f.canvas.clear();
        f.dialogs.shown.clear();
        const int movesBefore = form.history().HistoryPos;
        const auto start = std::chrono::steady_clock::now();
        click(form, m.tx, m.ty);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (form.play().Turn != NoGame && form.history().HistoryPos != movesBefore + 2) {
            state.SkipWithError("the click did not give a move and a reply");
            break;
        }
        state.SetIterationTime(took.count());
        replies.push_back(took.count() * 1000);
    }
    state.counters["median_ms"] = median(replies);
    state.counters["max_ms"] = replies.empty() ? 0 : *std::max_element(replies.begin(), replies.end());
}
BENCHMARK(BM_MoveToComputerReply)->Arg(1)->Arg(3)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zenko
