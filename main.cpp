// ZENKO 中国象棋: starts the application, the sound library and the window.
#include <QApplication>

#include "sound/library/ds_sound_library.h"
#include "ui/qt/main_window.h"
#include "ui/qt/outside_close.h"
#include "ui/qt/qt_dialogs.h"

int main(int argc, char* argv[]) {
    zenko::catch_ending_signals();
    QApplication app(argc, argv);
    zenko::install_japanese_translation(app);
    zenko::DsSoundLibrary sound;
    zenko::MainWindow window(sound);
    zenko::close_on_ending_signal(window);
    zenko::close_when_destroyed_outside(window);
    if (!window.start()) return 0;
    return app.exec();
}
