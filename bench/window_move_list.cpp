// The move list on a 300-move record through the real window: from a click
// on a move in the list to the board drawn (the game's jump, the list's
// update, the canvas painted and the list repainted), alternating between
// moves far apart; and the list's texts written afresh in each notation.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QMouseEvent>
#include <QTableView>
#include <QTemporaryDir>

#include "fakes.h"
#include "long_game.h"
#include "record/saved_game.h"
#include "scratch_folder.h"
#include "ui/qt/main_window.h"

namespace zenko {
namespace {

constexpr int RecordLength = 300;

SavedGame long_record() {
    SavedGame game;
    Engine fullSet;
    fullSet.初期配置();
    game.origin.board = fullSet.board();
    game.moves = testing::long_game(RecordLength);
    return game;
}

// A press and release of the left button at the cell of the move, as the
// window system would deliver them.
void click_move(MoveListPanel& list, int ply) {
    QTableView* table = list.table();
    const QModelIndex index = list.index_of(ply);
    table->scrollTo(index);
    const QPointF at = table->visualRect(index).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, table->viewport()->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, table->viewport()->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(table->viewport(), &press);
    QCoreApplication::sendEvent(table->viewport(), &release);
}

void BM_ClickOnAMoveToTheBoardDrawn(benchmark::State& state) {
    ScratchFolder folder;
    testing::RecordingSound sound;
    MainWindow window(sound);
    window.start();
    while (window.canvas().paint_count() == 0) QCoreApplication::processEvents();
    const SavedGame game = long_record();
    window.forward([&] {
        window.form().restore_history(game);
        window.form().CANCEL_Click();
        window.form().go_to_ply(RecordLength);
    });
    QCoreApplication::processEvents();
    const int targets[] = {150, RecordLength, 1, 299, 0, 200};
    std::size_t next = 0;
    for (auto _ : state) {
        const int ply = targets[next++ % std::size(targets)];
        state.PauseTiming();
        window.move_list().table()->scrollTo(window.move_list().index_of(ply));
        QCoreApplication::processEvents();
        state.ResumeTiming();
        click_move(window.move_list(), ply);
        window.canvas().refresh();
        QCoreApplication::processEvents();
        if (window.form().history().HistoryPos != ply) {
            state.SkipWithError("the click did not reach its move");
            break;
        }
    }
}
BENCHMARK(BM_ClickOnAMoveToTheBoardDrawn)->Unit(benchmark::kMillisecond);

// The texts of a whole 300-move record, as a change of notation writes them.
void BM_ListTextsOfALongRecord(benchmark::State& state) {
    HistoryState history;
    const SavedGame game = long_record();
    history.HistoryOrigin = game.origin;
    std::copy(game.moves.begin(), game.moves.end(), history.MoveHistory.begin() + 1);
    history.HistoryLen = static_cast<int>(game.moves.size());
    const formats::Notation notations[] = {formats::Notation::Japanese, formats::Notation::Chinese,
                                           formats::Notation::Wxf};
    MoveList list;
    std::size_t next = 0;
    for (auto _ : state) benchmark::DoNotOptimize(list.update(history, notations[next++ % 3]));
}
BENCHMARK(BM_ListTextsOfALongRecord)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zenko
