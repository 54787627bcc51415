// The window's drawing costs: a full redraw through the real Qt canvas, and
// start-up to the first painted window.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include "fakes.h"
#include "scratch_folder.h"
#include "ui/qt/main_window.h"

namespace zenko {
namespace {

void wait_for_first_paint(MainWindow& window) {
    while (window.canvas().paint_count() == 0) QCoreApplication::processEvents();
}

// 画面_再描画 into the retained image, then the image onto the window.
void BM_FullRedraw(benchmark::State& state) {
    ScratchFolder folder;
    testing::RecordingSound sound;
    MainWindow window(sound);
    window.start();
    wait_for_first_paint(window);
    for (auto _ : state) {
        window.form().画面_再描画();
        window.canvas().refresh();
    }
}
BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMillisecond);

// The window grown to twice the designed size: the display list replayed
// on a new retained image and painted. Each iteration grows it from the
// designed size, which is not timed.
void BM_ResizeRedrawAtTwiceTheSize(benchmark::State& state) {
    ScratchFolder folder;
    testing::RecordingSound sound;
    MainWindow window(sound);
    window.start();
    wait_for_first_paint(window);
    const QSize designed = window.size();
    const QSize twice = designed + window.canvas().size();
    for (auto _ : state) {
        state.PauseTiming();
        window.resize(designed);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        window.resize(twice);
        QCoreApplication::processEvents();
        window.canvas().refresh();
    }
    if (window.canvas().width() != 2 * ClientWidthPixels) state.SkipWithError("the window did not grow");
}
BENCHMARK(BM_ResizeRedrawAtTwiceTheSize)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// The canvas alone grown to twice the designed size: the replay of the
// display list onto a new retained image, and the paint.
void BM_CanvasReplayAtTwiceTheSize(benchmark::State& state) {
    ScratchFolder folder;
    testing::RecordingSound sound;
    MainWindow window(sound);
    window.start();
    wait_for_first_paint(window);
    QtCanvas& canvas = window.canvas();
    const QSize designed = canvas.size();
    for (auto _ : state) {
        state.PauseTiming();
        canvas.resize(designed);
        state.ResumeTiming();
        canvas.resize(designed * 2);
        canvas.refresh();
    }
}
BENCHMARK(BM_CanvasReplayAtTwiceTheSize)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// Window, menus and panel built, Form_Load run, first paint on the screen.
void BM_StartUpToFirstPaint(benchmark::State& state) {
    ScratchFolder folder;
    for (auto _ : state) {
        testing::RecordingSound sound;
        MainWindow window(sound);
        window.start();
        wait_for_first_paint(window);
        state.PauseTiming();
        window.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace zenko
