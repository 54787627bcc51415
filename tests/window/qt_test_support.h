// What every window test needs: one QApplication with the Japanese
// translation (made once for the whole test program) and palette colours as
// Qt colours.
#pragma once

#include <QColor>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <fstream>
#include <string>

#include "ui/presentation.h"

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

}  // namespace zenko::testing
