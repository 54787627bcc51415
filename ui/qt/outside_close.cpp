#include "ui/qt/outside_close.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>
#include <QWidget>
#include <cerrno>
#include <csignal>

namespace zenko {
namespace {

int signalPipe[2] = {-1, -1};

void on_signal(int number) {
    const int saved = errno;
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const ssize_t ignored = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

void catch_ending_signals() {
    if (signalPipe[0] >= 0) return;
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    struct sigaction action {};
    action.sa_handler = on_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(number, &action, nullptr);
}

void close_on_ending_signal(QWidget& window) {
    if (signalPipe[0] < 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        char bytes[16];
        while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
        }
        window.close();
        // A message box still open would keep its own event loop (and the
        // handler that opened it) running: it is dismissed as by Escape.
        while (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            box->done(QDialog::Rejected);
    });
}

}  // namespace zenko
