// A test with the real window shown, started in a fresh folder holding the
// sound files and left again at the end; every message box is answered as
// soon as it shows.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <memory>

#include "fakes.h"
#include "ui/qt/main_window.h"
#include "window/qt_test_support.h"

namespace zenko::testing {

class ShownWindowTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString previousFolder = QDir::currentPath();
    RecordingSound sound;
    std::unique_ptr<MainWindow> window;
    BoxCloser boxCloser;

    void SetUp() override {
        enter_folder_with_sounds(folder);
        window = std::make_unique<MainWindow>(sound);
        ASSERT_TRUE(window->start());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override {
        window.reset();
        QDir::setCurrent(previousFolder);
    }
    QtCanvas& canvas() { return window->canvas(); }
    void choose(const char* item) { window->findChild<QAction*>(item)->trigger(); }
    // A left click at the centre of a square, where it is drawn now.
    void click(int x, int y) {
        QTest::mouseClick(&canvas(), Qt::LeftButton, Qt::NoModifier, square_centre(canvas(), x, y));
    }
    // Resizes the window until its canvas is `factor` times the designed size.
    void resize_canvas(double factor) {
        const QSize target(static_cast<int>(std::lround(ClientWidthPixels * factor)),
                           static_cast<int>(std::lround(ClientHeightPixels * factor)));
        window->resize(window->size() + target - canvas().size());
        QTest::qWait(50);
        ASSERT_EQ(canvas().size(), target);
    }
};

}  // namespace zenko::testing
