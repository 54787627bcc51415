#include "ui/qt/outside_close.h"

#include <fcntl.h>
#include <unistd.h>
#include <xcb/xproto.h>

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>
#include <cerrno>
#include <csignal>
#include <cstdint>

namespace zenko {
namespace {

int signalPipe[2] = {-1, -1};

void on_signal(int number) {
    const int saved = errno;
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const ssize_t ignored = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}

// Watches the X events for the window's DestroyNotify. The window cannot be
// closed inside the filter (Qt is still handling the event), so the close is
// queued.
class DestroyWatch : public QAbstractNativeEventFilter {
public:
    explicit DestroyWatch(QWidget& window)
        : window_(window), id_(static_cast<std::uint32_t>(window.winId())) {}
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_DESTROY_NOTIFY) return false;
        if (reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window != id_) return false;
        QPointer<QWidget> window(&window_);
        QMetaObject::invokeMethod(
            &window_,
            [window] {
                if (window) window->close();
            },
            Qt::QueuedConnection);
        return false;
    }

private:
    QWidget& window_;
    std::uint32_t id_;
};

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

void close_when_destroyed_from_outside(QWidget& window) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
    auto* watch = new DestroyWatch(window);
    QCoreApplication::instance()->installNativeEventFilter(watch);
    QObject::connect(&window, &QObject::destroyed, [watch] {
        QCoreApplication::instance()->removeNativeEventFilter(watch);
        delete watch;
    });
}

}  // namespace zenko
