#include "ui/qt/outside_close.h"

#include <fcntl.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <cerrno>
#include <csignal>
#include <cstdlib>

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

namespace {

// Asks the server about the window; only a "no such window" answer counts.
bool native_window_gone(xcb_connection_t* connection, xcb_window_t window) {
    xcb_generic_error_t* error = nullptr;
    xcb_get_window_attributes_reply_t* reply =
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), &error);
    const bool gone = reply == nullptr && error != nullptr && error->error_code == XCB_WINDOW;
    std::free(reply);
    std::free(error);
    return gone;
}

}  // namespace

// Qt does not learn that its window was destroyed by someone else, so the
// window is looked for twice a second (one small round trip to the server).
void close_when_destroyed_outside(QWidget& window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) return;
    xcb_connection_t* connection = x11->connection();
    auto* poll = new QTimer(&window);
    QObject::connect(poll, &QTimer::timeout, &window, [&window, connection, poll] {
        if (!window.testAttribute(Qt::WA_WState_Created)) return;
        if (!native_window_gone(connection, static_cast<xcb_window_t>(window.winId()))) return;
        poll->stop();
        window.close();
        while (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            box->done(QDialog::Rejected);
    });
    poll->start(500);
}

}  // namespace zenko
