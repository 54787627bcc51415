// Window tests fail on any message Qt reports, except the offscreen
// platform's own notes about what it cannot do.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QtGlobal>

namespace zenko::testing {
namespace {

TEST(QtMessagesTest, AnUnexpectedWarningFailsTheTest) {
    EXPECT_NONFATAL_FAILURE(qWarning("QPainter::begin: Paint device returned engine == 0"),
                            "Qt said: QPainter::begin");
}

TEST(QtMessagesTest, TheOffscreenPlatformsOwnNotesPass) {
    qWarning("This plugin does not support raise()");
    qDebug("debug output is not a fault");
}

}  // namespace
}  // namespace zenko::testing
