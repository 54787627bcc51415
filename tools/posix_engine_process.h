// The engine process for the command-line tools: fork and exec with two
// pipes, driven blockingly. wait_for_event() waits (poll) for the next
// thing to happen and delivers it to the events given to start().
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>

#include "game/uci_client.h"

namespace zenko::tool {

class PosixEngineProcess : public EngineProcess {
public:
    PosixEngineProcess() = default;
    ~PosixEngineProcess() override { end(); }
    PosixEngineProcess(const PosixEngineProcess&) = delete;
    PosixEngineProcess& operator=(const PosixEngineProcess&) = delete;

    bool start(const std::string& command, EngineEvents& events) override;
    void write_line(const std::string& line) override;
    void set_deadline(int milliseconds) override;
    void end() override;

    // Waits for the next line, the exit or the deadline and delivers it
    // (every complete line already read, when lines came). Returns at once
    // when no process runs.
    void wait_for_event();

private:
    using Clock = std::chrono::steady_clock;
    bool deliver_buffered_lines();
    void reap(bool kill);

    EngineEvents* events_ = nullptr;
    pid_t pid_ = -1;
    int toEngine_ = -1, fromEngine_ = -1;
    std::string buffer_;
    bool hasDeadline_ = false;
    Clock::time_point deadline_{};
};

}  // namespace zenko::tool
