// What a player reads off the retained image of the running window: the
// file digit of a move text, the palace diagonals and the handicap
// caption's digits. The suite runs once more at pixel ratio 2 (see
// CMakeLists.txt).
#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QTest>
#include <memory>
#include <vector>

#include "fakes.h"
#include "ui/qt/main_window.h"
#include "window/qt_test_support.h"
#include "window/shown_window.h"

namespace zenko {
namespace {

using testing::rgb_of;

constexpr const char* FullWidthDigits[] = {"１", "２", "３", "４", "５", "６", "７", "８", "９"};

class LegibleWindow : public testing::ShownWindowTest {
protected:
    QRect device_area(double gx1, double gy1, double gx2, double gy2) {
        const int left = canvas().to_device_x(grid_to_twips_x(gx1)),
                  top = canvas().to_device_y(grid_to_twips_y(gy1));
        return QRect(QPoint(left, top), QPoint(canvas().to_device_x(grid_to_twips_x(gx2)) - 1,
                                               canvas().to_device_y(grid_to_twips_y(gy2)) - 1));
    }

    // The digit of the last move text, drawn where the game draws it, on a
    // canvas of the window's size, over the same background tile.
    QImage move_digit_as_drawn(const char* digit, int row) {
        QtCanvas expected;
        expected.show();
        expected.resize(canvas().size());
        expected.draw_picture(window->form().options().Background, grid_to_twips_x(11), grid_to_twips_y(row));
        expected.draw_text(grid_to_twips_x(11.5), grid_to_twips_y(row + 0.2), digit, 12, true, ColorBlack);
        expected.draw_text(grid_to_twips_x(11.4), grid_to_twips_y(row + 0.1), digit, 12, true, ColorWhite);
        return expected.image().copy(device_area(11.4, row, 11.8, row + 1));
    }
    // The file digit of the last move's text against the label above its file.
    void expect_digit_of_last_move() {
        const HistoryState& history = window->form().history();
        ASSERT_GE(history.HistoryPos, 1);
        const MoveRecord& move = history.MoveHistory[history.HistoryPos];
        const int row = move.placed > 0 ? 6 : 8;
        const QImage shown = canvas().image().copy(device_area(11.4, row, 11.8, row + 1));
        EXPECT_EQ(shown, move_digit_as_drawn(FullWidthDigits[10 - move.toX - 1], row))
            << "the move to file " << move.toX << " is not named by the label above it";
        EXPECT_NE(shown, move_digit_as_drawn(FullWidthDigits[move.toX - 1], row));
    }
};

TEST_F(LegibleWindow, TheMoveTextNamesTheFileByTheLabelAboveIt) {
    choose("START");  // two people at the board
    click(8, 8);
    click(8, 4);  // the cannon under the label 2
    expect_digit_of_last_move();

    choose("REVERSE");
    const int before = window->form().history().HistoryPos;
    click(3, 7);  // a soldier of the side at the bottom, or else one of the top
    click(3, 6);
    if (window->form().history().HistoryPos == before) {
        click(3, 4);
        click(3, 5);
    }
    expect_digit_of_last_move();
}

// Down each palace diagonal, row by row, the line is one run of pixels
// shifted by exactly one pixel a row: no gap where two squares' pieces
// meet, no step, as thick as a stamped pen one designed pixel wide. The
// spans run between the crossings with other lines and past the corners
// where the pieces join; the piece-covered parts differ by design.
TEST_F(LegibleWindow, EachPalaceDiagonalIsOneCleanLineAtEverySize) {
    struct Span {
        QPointF from, to;  // grid points on one diagonal, top first
    };
    const Span spans[] = {
        {{4.82, 1.82}, {5.33, 2.33}}, {{5.67, 2.67}, {6.33, 3.33}}, {{5.33, 2.67}, {4.67, 3.33}},
        {{4.67, 8.67}, {5.33, 9.33}}, {{6.33, 8.67}, {5.67, 9.33}}, {{5.67, 9.67}, {6.17, 10.17}},
    };
    const QRgb line = rgb_of(LineColor);
    for (double factor : {1.0, 1.37, 2.0}) {
        SCOPED_TRACE(factor);
        resize_canvas(factor);
        const QImage& image = canvas().image();
        const int pen = canvas().pen_width();
        for (const Span& span : spans) {
            SCOPED_TRACE(QString("from %1,%2").arg(span.from.x()).arg(span.from.y()).toStdString());
            const int direction = span.to.x() > span.from.x() ? 1 : -1;
            const QPointF start(canvas().to_device_x(grid_to_twips_x(span.from.x())),
                                canvas().to_device_y(grid_to_twips_y(span.from.y())));
            const int last = canvas().to_device_y(grid_to_twips_y(span.to.y()));
            int previousLeft = -1;
            for (int y = static_cast<int>(start.y()); y <= last; ++y) {
                const int centre =
                    static_cast<int>(start.x()) + direction * (y - static_cast<int>(start.y()));
                int left = -1, right = -1, count = 0;
                for (int x = centre - 2 * pen - 2; x <= centre + 2 * pen + 2; ++x)
                    if (image.pixel(x, y) == line) {
                        if (left < 0) left = x;
                        right = x;
                        ++count;
                    }
                ASSERT_EQ(count, 2 * pen - 1) << "row " << y;
                ASSERT_EQ(right - left + 1, count) << "row " << y << " is broken";
                if (previousLeft >= 0) {
                    ASSERT_EQ(left - previousLeft, direction) << "a step or gap at row " << y;
                }
                previousLeft = left;
            }
        }
    }
}

// Enclosed counters of a digit's glyph: runs of two or more non-ink
// pixels, four ways connected, that do not reach the edge of the glyph's
// cell (a single pixel is a speck of the synthetic bold, not a counter).
int enclosed_counters(const QImage& cell) {
    const int w = cell.width(), h = cell.height();
    auto ink = [&](int x, int y) { return qGray(cell.pixel(x, y)) > 160; };
    std::vector<int> seen(w * h, 0);
    int counters = 0;
    for (int y0 = 0; y0 < h; ++y0)
        for (int x0 = 0; x0 < w; ++x0) {
            if (ink(x0, y0) || seen[y0 * w + x0]) continue;
            bool reachesEdge = false;
            int size = 0;
            std::vector<QPoint> todo{{x0, y0}};
            seen[y0 * w + x0] = 1;
            while (!todo.empty()) {
                const QPoint p = todo.back();
                todo.pop_back();
                ++size;
                reachesEdge |= p.x() == 0 || p.y() == 0 || p.x() == w - 1 || p.y() == h - 1;
                for (QPoint q : {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)})
                    if (q.x() >= 0 && q.y() >= 0 && q.x() < w && q.y() < h && !seen[q.y() * w + q.x()] &&
                        !ink(q.x(), q.y())) {
                        seen[q.y() * w + q.x()] = 1;
                        todo.push_back(q);
                    }
            }
            counters += !reachesEdge && size >= 2;
        }
    return counters;
}

// "３" has no closed counter, "８" two, "６" one: at the window's own size
// the caption's digits keep their shapes and do not run together.
TEST_F(LegibleWindow, TheHandicapCaptionsDigitsKeepTheirShapes) {
    struct Row {
        int stepsUp;
        const char* digit;
        int counters;
    };
    const Row rows[] = {{1, "３", 0}, {4, "６", 1}, {6, "８", 2}};
    const double device = canvas().scale() * canvas().pixel_ratio();
    QFont font(QStringLiteral("IPAPMincho"));
    font.setPixelSize(static_cast<int>(std::lround(11 * 96.0 / 72.0 * device)));
    font.setBold(true);
    if (device < 1.5) {
        font.setHintingPreference(QFont::PreferNoHinting);
        font.setStyleStrategy(QFont::NoAntialias);
    }
    const QFontMetrics metrics(font);
    const QString prefix = QStringLiteral("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:");
    int steps = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.digit);
        for (; steps < row.stepsUp; ++steps) choose("LBEL_UP");
        const int left = canvas().to_device_x(grid_to_twips_x(11) + 120) + metrics.horizontalAdvance(prefix);
        const int top = canvas().to_device_y(grid_to_twips_y(2) + 160);
        // The digit's ink with a pixel of ground round it.
        const QRect ink = metrics.tightBoundingRect(QString::fromUtf8(row.digit));
        const QRect cell = ink.translated(left, top + metrics.ascent()).adjusted(-1, -1, 1, 1);
        EXPECT_EQ(enclosed_counters(canvas().image().copy(cell)), row.counters);
    }
}

}  // namespace
}  // namespace zenko
