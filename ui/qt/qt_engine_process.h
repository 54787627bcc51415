// The engine process of LEVEL4-6 and ヒント as a QProcess: its output is
// cut into lines and delivered, with its exit and the deadline, as events
// of the window's event loop.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QTimer>
#include <functional>
#include <string>

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

private:
    void read_lines();
    void exited();

    EventRunner runEvent_;
    QProcess process_;
    QTimer deadline_;
    QByteArray partial_;              // output after the last line end
    EngineEvents* events_ = nullptr;  // null while no process answers
};

}  // namespace zenko
