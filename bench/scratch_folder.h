// The game reads and writes its settings in the working folder: a window
// benchmark works in a scratch one, so a run leaves nothing behind.
#pragma once

#include <QDir>
#include <QTemporaryDir>

namespace zenko {

class ScratchFolder {
public:
    ScratchFolder() { QDir::setCurrent(folder_.path()); }
    ~ScratchFolder() { QDir::setCurrent(previous_); }

private:
    QString previous_ = QDir::currentPath();
    QTemporaryDir folder_;
};

}  // namespace zenko
