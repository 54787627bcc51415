#include "window/qt_test_support.h"

#include <gtest/gtest.h>

#include <QApplication>

#include "ui/qt/qt_dialogs.h"

namespace zenko::testing {
namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
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
