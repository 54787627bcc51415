// The engine process of LEVEL4-6 and ヒント as a QProcess: its output is
// cut into lines and delivered, with its exit and the deadline, as events
// of the window's event loop. Nothing here waits: a process starts and ends
// in the background, and only the window's own end waits for the last one.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "game/uci_client.h"

namespace zenko {

class QtEngineProcess : public EngineProcess {
public:
    // Every event reaches the client through `run_event`, so the window
    // handles it as it handles its own events.
    using EventRunner = std::function<void(const std::function<void()>&)>;
    explicit QtEngineProcess(EventRunner run_event);
    ~QtEngineProcess() override;
    QtEngineProcess(const QtEngineProcess&) = delete;
    QtEngineProcess& operator=(const QtEngineProcess&) = delete;

    bool start(const std::string& command, EngineEvents& events) override;
    void write_line(const std::string& line) override;
    void set_deadline(int milliseconds) override;
    void end() override;

    // Processes still ending after end(), for tests.
    int ending() const { return static_cast<int>(ending_.size()); }

private:
    void read_lines();
    void exited(QProcess* process);
    void let_end(QProcess* process);
    void forget(QProcess* process);

    EventRunner runEvent_;
    QProcess* process_ = nullptr;    // the process answering, if any
    std::vector<QProcess*> ending_;  // told to end, not yet gone
    QTimer deadline_;
    QByteArray partial_;              // output after the last line end
    EngineEvents* events_ = nullptr;  // null while no process answers
    int starts_ = 0;                  // processes started so far
};

}  // namespace zenko
