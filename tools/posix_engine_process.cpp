// fork/exec, pipes and poll for the engine process of the tools.
#include "tools/posix_engine_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace zenko::tool {

namespace {

void close_fd(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
}

// In the child: stdin and stdout become the pipes, then the command runs.
// A failed exec writes its errno to `report`, which closes on a good exec.
[[noreturn]] void run_child(const std::string& command, int in, int out, int report) {
    dup2(in, STDIN_FILENO);
    dup2(out, STDOUT_FILENO);
    char* const argv[] = {const_cast<char*>(command.c_str()), nullptr};
    execvp(command.c_str(), argv);
    const int error = errno;
    (void)!write(report, &error, sizeof error);
    _exit(127);
}

}  // namespace

bool PosixEngineProcess::start(const std::string& command, EngineEvents& events) {
    end();
    int in[2], out[2], report[2];
    if (pipe2(in, O_CLOEXEC) != 0) return false;
    if (pipe2(out, O_CLOEXEC) != 0) return close(in[0]), close(in[1]), false;
    if (pipe2(report, O_CLOEXEC) != 0) return close(in[0]), close(in[1]), close(out[0]), close(out[1]), false;
    signal(SIGPIPE, SIG_IGN);  // a write to an engine that died must not kill the tool
    pid_ = fork();
    if (pid_ == 0) run_child(command, in[0], out[1], report[1]);
    close(in[0]);
    close(out[1]);
    close(report[1]);
    toEngine_ = in[1];
    fromEngine_ = out[0];
    int error = 0;
    const bool execFailed = pid_ < 0 || read(report[0], &error, sizeof error) > 0;
    close(report[0]);
    if (execFailed) {
        end();
        return false;
    }
    events_ = &events;
    buffer_.clear();
    hasDeadline_ = false;
    return true;
}

void PosixEngineProcess::write_line(const std::string& line) {
    if (toEngine_ < 0) return;
    const std::string text = line + "\n";
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t n = write(toEngine_, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;  // the engine is gone; its exit is reported when read
        done += static_cast<std::size_t>(n);
    }
}

void PosixEngineProcess::set_deadline(int milliseconds) {
    hasDeadline_ = milliseconds >= 0;
    deadline_ = Clock::now() + std::chrono::milliseconds(milliseconds);
}

// Gives an engine told to quit a moment to leave, then kills it.
void PosixEngineProcess::end() {
    close_fd(toEngine_);
    close_fd(fromEngine_);
    if (pid_ > 0) reap(false);
    events_ = nullptr;
    hasDeadline_ = false;
}

void PosixEngineProcess::reap(bool kill) {
    constexpr auto Grace = std::chrono::milliseconds(500);
    const Clock::time_point giveUp = Clock::now() + Grace;
    while (!kill && waitpid(pid_, nullptr, WNOHANG) == 0) {
        if (Clock::now() >= giveUp)
            kill = true;
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (kill) {
        ::kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    pid_ = -1;
}

bool PosixEngineProcess::deliver_buffered_lines() {
    bool delivered = false;
    for (std::string::size_type end; events_ && (end = buffer_.find('\n')) != std::string::npos;) {
        std::string line = buffer_.substr(0, end);
        buffer_.erase(0, end + 1);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        events_->line_received(line);  // may end the process
        delivered = true;
    }
    return delivered;
}

void PosixEngineProcess::wait_for_event() {
    while (events_ && fromEngine_ >= 0) {
        if (deliver_buffered_lines()) return;
        int timeout = -1;
        if (hasDeadline_) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Clock::now());
            timeout = left.count() > 0 ? static_cast<int>(left.count()) : 0;
        }
        pollfd fd{fromEngine_, POLLIN, 0};
        const int ready = poll(&fd, 1, timeout);
        if (ready < 0 && errno == EINTR) continue;
        if (ready == 0) {
            hasDeadline_ = false;
            events_->deadline_passed();
            return;
        }
        char chunk[4096];
        const ssize_t n = read(fromEngine_, chunk, sizeof chunk);
        if (n > 0) {
            buffer_.append(chunk, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        EngineEvents* events = events_;
        end();
        events->process_exited();
        return;
    }
}

}  // namespace zenko::tool
