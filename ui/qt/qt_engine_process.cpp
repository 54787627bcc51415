#include "ui/qt/qt_engine_process.h"

#include <QStringList>

namespace zenko {

namespace {

constexpr int StartBoundMs = 5000;
// An engine told "quit" ends at once; one that does not is killed.
constexpr int QuitGraceMs = 200, KillBoundMs = 2000;

}  // namespace

QtEngineProcess::QtEngineProcess(EventRunner run_event) : runEvent_(std::move(run_event)) {
    process_.setStandardErrorFile(QProcess::nullDevice());
    deadline_.setSingleShot(true);
    QObject::connect(&process_, &QProcess::readyReadStandardOutput, [this] { read_lines(); });
    QObject::connect(&process_, &QProcess::finished, [this] { exited(); });
    QObject::connect(&process_, &QProcess::errorOccurred, [this](QProcess::ProcessError error) {
        if (error == QProcess::Crashed || error == QProcess::FailedToStart) exited();
    });
    QObject::connect(&deadline_, &QTimer::timeout, [this] {
        if (EngineEvents* events = events_) runEvent_([events] { events->deadline_passed(); });
    });
}

QtEngineProcess::~QtEngineProcess() { end(); }

bool QtEngineProcess::start(const std::string& command, EngineEvents& events) {
    end();
    partial_.clear();
    process_.start(QString::fromStdString(command), QStringList{});
    if (!process_.waitForStarted(StartBoundMs)) {
        end();
        return false;
    }
    events_ = &events;
    return true;
}

void QtEngineProcess::write_line(const std::string& line) {
    if (process_.state() != QProcess::Running) return;
    process_.write(QByteArray::fromStdString(line + "\n"));
}

void QtEngineProcess::set_deadline(int milliseconds) {
    if (milliseconds < 0)
        deadline_.stop();
    else
        deadline_.start(milliseconds);
}

void QtEngineProcess::end() {
    events_ = nullptr;  // nothing more is delivered
    deadline_.stop();
    if (process_.state() == QProcess::NotRunning) return;
    process_.closeWriteChannel();
    if (process_.waitForFinished(QuitGraceMs)) return;
    process_.kill();
    process_.waitForFinished(KillBoundMs);
}

// Each whole line goes out as an event of its own; a delivery may end the
// process, and then the rest is dropped.
void QtEngineProcess::read_lines() {
    partial_ += process_.readAllStandardOutput();
    for (qsizetype lineEnd = partial_.indexOf('\n'); events_ && lineEnd >= 0;
         lineEnd = partial_.indexOf('\n')) {
        QByteArray line = partial_.left(lineEnd);
        partial_.remove(0, lineEnd + 1);
        if (line.endsWith('\r')) line.chop(1);
        EngineEvents* events = events_;
        runEvent_([events, text = line.toStdString()] { events->line_received(text); });
    }
}

void QtEngineProcess::exited() {
    EngineEvents* events = events_;
    if (!events) return;
    events_ = nullptr;
    deadline_.stop();
    runEvent_([events] { events->process_exited(); });
}

}  // namespace zenko
