// What every window test needs: one QApplication with the Japanese
// translation (made once for the whole test program) and palette colours as
// Qt colours.
#pragma once

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <fstream>
#include <initializer_list>
#include <string>
#include <utility>

#include "ui/presentation.h"
#include "ui/qt/qt_canvas.h"

namespace zenko::testing {

inline QRgb rgb_of(int paletteIndex) {
    const Rgb c = palette_rgb(paletteIndex);
    return qRgb(c.r, c.g, c.b);
}

// Copies the game's sound files into a test's working folder and makes it
// the current directory, so the game starts there without a settings file.
inline void enter_folder_with_sounds(const QTemporaryDir& folder) {
    const QDir sounds(QStringLiteral(ZENKO_SOURCE_DIR "/sound"));
    for (const QString& file : sounds.entryList({"*.wav"}, QDir::Files))
        QFile::copy(sounds.filePath(file), folder.filePath(file));
    QDir::setCurrent(folder.path());
}

// True once the process catches SIGTERM (bit 15 of SigCgt in its status):
// it has set up its signal handling.
inline bool catches_sigterm(qint64 pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("SigCgt:", 0) == 0)
            return (std::stoull(line.substr(7), nullptr, 16) >> (SIGTERM - 1)) & 1;
    return false;
}

// Starts the real program in `folder`, silent, with the environment's
// `settings` added and these arguments. Its messages go to the test's own
// output: a full pipe nobody reads would stop the game.
inline void start_real_program(QProcess& program, const QString& folder,
                               std::initializer_list<std::pair<const char*, QString>> settings,
                               const QStringList& arguments = {}) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("SDL_AUDIODRIVER", "dummy");
    for (const auto& [name, value] : settings) environment.insert(name, value);
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(folder);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(QStringLiteral(ZENKO_PROGRAM), arguments);
}

// Waits up to 20 s for the program to set up its signal handling.
inline bool await_signal_handling(const QProcess& program) {
    QElapsedTimer clock;
    clock.start();
    while (!catches_sigterm(program.processId()) && clock.elapsed() < 20000) QTest::qWait(20);
    return catches_sigterm(program.processId());
}

// Sends the signal and waits up to 20 s for the program to end; one still
// running then is killed. True when it ended within the time.
inline bool end_with_signal(QProcess& program, int signalNumber) {
    ::kill(static_cast<pid_t>(program.processId()), signalNumber);
    const bool ended = program.waitForFinished(20000);
    if (!ended) program.kill();
    return ended;
}

// Answers every message box as soon as it shows.
class BoxCloser {
public:
    explicit BoxCloser(int everyMilliseconds = 20) {
        QObject::connect(&timer_, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
        });
        timer_.start(everyMilliseconds);
    }

private:
    QTimer timer_;
};

// The centre of a square, where the canvas draws it now.
inline QPoint square_centre(const QtCanvas& canvas, int x, int y) {
    const QPointF twips(grid_to_twips_x(x) + SquareWidth / 2.0, grid_to_twips_y(y) + SquareHeight / 2.0);
    return (canvas.origin() + twips / TwipsPerPixel * canvas.scale()).toPoint();
}

}  // namespace zenko::testing
