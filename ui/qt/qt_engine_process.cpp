#include "ui/qt/qt_engine_process.h"

#include <QStringList>
#include <algorithm>

namespace zenko {

namespace {

// An engine told "quit" ends at once; one that does not is killed.
constexpr int QuitGraceMs = 500;
// At the program's end a killed engine is reaped before the window goes.
constexpr int ReapBoundMs = 1000;

}  // namespace

QtEngineProcess::QtEngineProcess(EventRunner run_event) : runEvent_(std::move(run_event)) {
    deadline_.setSingleShot(true);
    QObject::connect(&deadline_, &QTimer::timeout, [this] {
        if (EngineEvents* events = events_) runEvent_([events] { events->deadline_passed(); });
    });
}

// Whatever still runs is killed and reaped: no engine outlives the game.
QtEngineProcess::~QtEngineProcess() {
    end();
    for (QProcess* process : ending_) {
        process->disconnect();
        process->kill();
        process->waitForFinished(ReapBoundMs);
        delete process;
    }
}

// The process starts in the background; a program that cannot be run
// reports it as its exit, a moment later.
bool QtEngineProcess::start(const std::string& command, EngineEvents& events) {
    end();
    partial_.clear();
    auto* process = new QProcess;
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::readyReadStandardOutput, [this, process] {
        if (process == process_) read_lines();
    });
    QObject::connect(process, &QProcess::finished, [this, process] { exited(process); });
    QObject::connect(process, &QProcess::errorOccurred, [this, process](QProcess::ProcessError error) {
        if (error == QProcess::Crashed || error == QProcess::FailedToStart) exited(process);
    });
    process_ = process;
    events_ = &events;
    ++starts_;
    process->start(QString::fromStdString(command), QStringList{});
    return true;
}

void QtEngineProcess::write_line(const std::string& line) {
    if (process_ == nullptr || process_->state() == QProcess::NotRunning) return;
    process_->write(QByteArray::fromStdString(line + "\n"));
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
    QProcess* process = std::exchange(process_, nullptr);
    if (process) let_end(process);
}

// The process is told to end by closing its input and gets a moment to do
// so before it is killed; it is deleted once it has gone.
void QtEngineProcess::let_end(QProcess* process) {
    if (process->state() == QProcess::NotRunning) {
        process->disconnect();
        process->deleteLater();
        return;
    }
    ending_.push_back(process);
    process->closeWriteChannel();
    QTimer::singleShot(QuitGraceMs, process, [process] { process->kill(); });
}

void QtEngineProcess::forget(QProcess* process) {
    ending_.erase(std::remove(ending_.begin(), ending_.end(), process), ending_.end());
    process->disconnect();
    process->deleteLater();
}

// Each whole line goes out as an event of its own; a delivery may end the
// process, and then the rest is dropped.
void QtEngineProcess::read_lines() {
    partial_ += process_->readAllStandardOutput();
    for (qsizetype lineEnd = partial_.indexOf('\n'); events_ && lineEnd >= 0;
         lineEnd = partial_.indexOf('\n')) {
        QByteArray line = partial_.left(lineEnd);
        partial_.remove(0, lineEnd + 1);
        if (line.endsWith('\r')) line.chop(1);
        EngineEvents* events = events_;
        runEvent_([events, text = line.toStdString()] { events->line_received(text); });
    }
}

// The answering process's exit is an event; an ending one is only deleted.
// The event is posted, since Qt may report a failed start from inside start().
void QtEngineProcess::exited(QProcess* process) {
    if (process != process_) {
        if (std::find(ending_.begin(), ending_.end(), process) != ending_.end()) forget(process);
        return;
    }
    EngineEvents* events = events_;
    process_ = nullptr;
    events_ = nullptr;
    deadline_.stop();
    ending_.push_back(process);
    QTimer::singleShot(0, process, [this, process] { forget(process); });
    // Delivered only if no process was started since.
    QTimer::singleShot(0, &deadline_, [this, events, started = starts_] {
        if (events && starts_ == started) runEvent_([events] { events->process_exited(); });
    });
}

}  // namespace zenko
