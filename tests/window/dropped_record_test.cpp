// A record file dropped on the window opens as if chosen in the record panel.
#include <gtest/gtest.h>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QMimeData>
#include <QUrl>

#include "window/shown_window.h"

namespace zenko {
namespace {

using DroppedRecord = testing::ShownWindowTest;

TEST_F(DroppedRecord, AFileDroppedOnTheBoardOpens) {
    const QString path = folder.filePath("dropped.pgn");
    {
        QFile record(path);
        ASSERT_TRUE(record.open(QIODevice::WriteOnly));
        record.write("[Event \"drop\"]\n\n1. h2e2 h9g7 2. h0g2 *\n");
    }
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPointF on = QPointF(testing::square_centre(canvas(), 5, 5));
    // Sent where the user lets go: on the board, which passes it to the window.
    QDragEnterEvent enter(on.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&canvas(), &enter);
    ASSERT_TRUE(enter.isAccepted()) << "the window does not take the file";
    QDropEvent drop(on, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&canvas(), &drop);
    EXPECT_TRUE(drop.isAccepted());

    QElapsedTimer clock;
    clock.start();
    while (window->form().history().HistoryLen == 0 && clock.elapsed() < 5000) QTest::qWait(20);
    EXPECT_EQ(window->form().history().HistoryLen, 3);
    EXPECT_EQ(window->form().history().RecordMode, FlagOn);
    EXPECT_EQ(window->form().history().RecordHeaders[0], "drop");
}

}  // namespace
}  // namespace zenko
