#include "window/qt_test_support.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QString>
#include <QtGlobal>

#include "ui/qt/qt_dialogs.h"

namespace zenko::testing {
namespace {

// What the offscreen platform says about itself on every run; anything else
// Qt reports (a warning from our own calls, a failed load) fails the test.
constexpr const char* KnownOffscreenMessages[] = {
    "This plugin does not support",
    "QStandardPaths: XDG_RUNTIME_DIR not set",
};

bool is_known_offscreen_message(const QString& message) {
    for (const char* known : KnownOffscreenMessages)
        if (message.startsWith(QLatin1String(known))) return true;
    return false;
}

void fail_on_unexpected_qt_message(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg || is_known_offscreen_message(message)) return;
    ADD_FAILURE() << "Qt said: " << message.toStdString();
}

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        qInstallMessageHandler(fail_on_unexpected_qt_message);
        static int argc = 1;
        static char name[] = "window_tests";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) new QApplication(argc, argv);
        install_japanese_translation(*QCoreApplication::instance());
    }
};
[[maybe_unused]] const auto* const qtEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
}  // namespace zenko::testing
