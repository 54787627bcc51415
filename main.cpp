// ZENKO 中国象棋: answers --help and --version, or starts the application,
// the sound library and the window, opening the record file named if any.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "sound/library/loaded_sound_library.h"
#include "ui/qt/main_window.h"
#include "ui/qt/outside_close.h"
#include "ui/qt/qt_dialogs.h"
#include "zenko/version.h"

namespace {

constexpr const char* Usage =
    "Usage: zenko [--help | --version | FILE]\n"
    "Xiangqi (Chinese chess) against the computer or between two people, in Japanese.\n"
    "Without options it opens the game window; everything else is done with the mouse.\n"
    "FILE, a game record (.pgn, .xqf, .fen, .txt, .htm, .html or .棋譜), opens at start.\n"
    "Installed, it keeps its settings, sounds and records in $XDG_DATA_HOME/zenko\n"
    "(~/.local/share/zenko); built from source, in the folder it is started in.\n";

// The two options every program answers, without a window. True when one
// was asked (the program then ends).
bool answer_option(int argc, char* argv[]) {
    if (argc != 2) return false;
    if (std::strcmp(argv[1], "--help") == 0) {
        std::fputs(Usage, stdout);
        return true;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("zenko %s\n", zenko::ProgramVersion);
        return true;
    }
    return false;
}

// The record file named on the command line, once Qt has taken its own
// options: "" for none, nullopt for arguments that name no single file. The
// path is made absolute now, as the installed game works in its data folder.
std::optional<std::string> record_file_argument() {
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 1) return std::string();
    if (arguments.size() > 2 || arguments[1].startsWith('-')) return std::nullopt;
    return QFile::encodeName(QFileInfo(arguments[1]).absoluteFilePath()).toStdString();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (answer_option(argc, argv)) return 0;
    zenko::catch_ending_signals();
    QApplication app(argc, argv);
    const std::optional<std::string> recordFile = record_file_argument();
    if (!recordFile) {
        std::fputs(Usage, stderr);
        return 2;
    }
    // Wayland compositors match the window to the desktop entry (and its icon) by this.
    QGuiApplication::setDesktopFileName(QStringLiteral("zenko"));
    zenko::install_japanese_translation(app);
    // Installed, the library stands in the game's own library folder; in the
    // build tree, beside the game.
    const QString here = QCoreApplication::applicationDirPath();
    zenko::LoadedSoundLibrary sound(
        {QFile::encodeName(here + "/" ZENKO_INSTALLED_SOUND_LIBRARY).toStdString(),
         QFile::encodeName(here + "/libzenko-sound.so").toStdString()});
    zenko::MainWindow window(sound);
    zenko::close_on_ending_signal(window);
    zenko::close_when_destroyed_outside(window);
    const QString installedSounds = here + QStringLiteral("/" ZENKO_INSTALLED_SOUNDS);
    if (!window.enter_player_data_folder(QFile::encodeName(installedSounds).toStdString())) return 1;
    if (!window.start(zenko::MainWindow::Startup::FirstPictureFirst, *recordFile)) return 0;
    return app.exec();
}
