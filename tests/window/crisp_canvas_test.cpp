// Drawing quality at every size: lines one designed pixel thick on whole
// device pixels, small text in its palette colour, the drawing replayed at
// a new window size with clicks and outlines following it. The suite also
// runs on a screen of pixel ratio 2 (see CMakeLists.txt).
#include <gtest/gtest.h>

#include <QComboBox>
#include <QTest>
#include <memory>

#include "fakes.h"
#include "ui/qt/main_window.h"
#include "window/qt_test_support.h"
#include "window/shown_window.h"

namespace zenko {
namespace {

using testing::rgb_of;
using testing::ShownWindowTest;

// Pixels in a row (or column) starting at `from` that are exactly `colour`.
int run_length(const QImage& image, QPoint from, QPoint step, QRgb colour) {
    int n = 0;
    for (QPoint p = from; image.rect().contains(p) && image.pixel(p) == colour; p += step) ++n;
    return n;
}

// A canvas of twice the designed size draws at twice the device scale.
void grow(QtCanvas& canvas, double factor) {
    canvas.show();  // a hidden widget learns its new size only when shown
    canvas.resize(static_cast<int>(std::lround(ClientWidthPixels * factor)),
                  static_cast<int>(std::lround(ClientHeightPixels * factor)));
}

TEST(CrispCanvas, LinesAndBoxesAreOneDesignedPixelOfWholeDevicePixels) {
    for (double factor : {1.0, 1.5, 2.0}) {
        SCOPED_TRACE(factor);
        QtCanvas canvas;
        grow(canvas, factor);
        const int pen = canvas.pen_width();
        EXPECT_EQ(pen, std::lround(factor * canvas.pixel_ratio()));
        canvas.draw_line(450, 300, 1500, 300, ColorYellow);    // designed pixels (30, 20) .. (100, 20)
        canvas.draw_box(150, 600, 600, 900, ColorWhite);       // designed pixels (10, 40) .. (40, 60)
        canvas.draw_line(1500, 2400, 2400, 1500, ColorWhite);  // rising, as a palace diagonal
        const QImage& image = canvas.image();
        const QRgb yellow = rgb_of(ColorYellow), white = rgb_of(ColorWhite);
        const int lineX = canvas.to_device_x(900), lineY = canvas.to_device_y(300);
        EXPECT_EQ(run_length(image, {lineX, lineY}, {0, 1}, yellow), pen);
        EXPECT_NE(image.pixel(lineX, lineY - 1), yellow);
        EXPECT_EQ(run_length(image, {canvas.to_device_x(450), lineY}, {1, 0}, yellow),
                  canvas.to_device_x(1500) - canvas.to_device_x(450) + pen)
            << "both end points drawn";
        // Every side of the box, corners included, is pen pixels thick.
        const int left = canvas.to_device_x(150), top = canvas.to_device_y(600);
        const int right = canvas.to_device_x(600), bottom = canvas.to_device_y(900);
        const int midX = (left + right) / 2, midY = (top + bottom) / 2;
        EXPECT_EQ(run_length(image, {midX, top}, {0, 1}, white), pen);
        EXPECT_EQ(run_length(image, {midX, bottom}, {0, 1}, white), pen);
        EXPECT_EQ(run_length(image, {left, midY}, {1, 0}, white), pen);
        EXPECT_EQ(run_length(image, {right, midY}, {1, 0}, white), pen);
        EXPECT_EQ(image.pixel(right + pen - 1, bottom + pen - 1), white);
        EXPECT_NE(image.pixel(midX, top + pen), white);
        // The diagonal has no blended pixels: only the line's and the background's colours.
        const QRgb ground = rgb_of(LineColor);
        int drawn = 0;
        for (int y = canvas.to_device_y(1500) - 2; y < canvas.to_device_y(2400) + 4; ++y) {
            int inRow = 0;
            for (int x = canvas.to_device_x(1500) - 2; x < canvas.to_device_x(2400) + 4; ++x) {
                const QRgb p = image.pixel(x, y);
                ASSERT_TRUE(p == white || p == ground) << x << "," << y;
                inRow += p == white;
            }
            // No gaps: every row the line crosses holds at least a pen's width of it.
            const bool crossed = y >= canvas.to_device_y(1500) && y <= canvas.to_device_y(2400);
            if (crossed) {
                EXPECT_GE(inRow, pen) << "row " << y;
            }
            drawn += inRow;
        }
        // As thick across as a straight line: about pen * length * sqrt(2) pixels.
        const int length = canvas.to_device(900);
        EXPECT_GE(drawn, pen * length);
        EXPECT_LE(drawn, 2 * pen * length);
    }
}

// Every pixel the text touches is its colour or the ground's: strokes land
// on whole pixels instead of blurring into an olive mix.
int blended_pixels(const QImage& image, QRgb ink, QRgb ground, int* inked) {
    int blended = 0;
    *inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            *inked += p == ink;
            blended += p != ink && p != ground;
        }
    return blended;
}

TEST(CrispCanvas, SmallTextIsDrawnInItsPaletteColourAtRatioOne) {
    QtCanvas canvas;
    if (canvas.pixel_ratio() != 1.0) GTEST_SKIP() << "antialiased above ratio 1.5";
    struct Row {
        const char* text;
        int points;
        bool bold;
        int colour;
    };
    const Row rows[] = {{"二", 12, true, ColorYellow},    {"三", 12, true, ColorYellow},
                        {"LEVEL", 10, false, ColorWhite}, {"二", 12, false, ColorWhite},
                        {"ﾊﾝﾃﾞｨ", 10, false, ColorWhite}, {"八", 16, false, ColorYellow}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        QtCanvas fresh;
        fresh.draw_text(300, 300, row.text, row.points, row.bold, row.colour);
        int inked = 0;
        EXPECT_EQ(blended_pixels(fresh.image(), rgb_of(row.colour), rgb_of(LineColor), &inked), 0);
        EXPECT_GT(inked, 10) << "no text drawn";
    }
}

TEST(CrispCanvas, TheDisplayListSurvivesAResizeAndDropsWhatIsPaintedOver) {
    QtCanvas canvas;
    canvas.draw_picture(BackgroundGreen, 0, 0);
    canvas.draw_text(100, 100, "局", 9, false, ColorWhite);
    canvas.draw_box(30, 30, 300, 300, ColorYellow);
    EXPECT_EQ(canvas.display_list_size(), 3u);
    canvas.draw_picture(BackgroundGreen, 0, 0);  // covers the box and the text
    EXPECT_EQ(canvas.display_list_size(), 1u);
    canvas.draw_box(30, 30, 300, 300, ColorYellow);
    grow(canvas, 2.0);
    EXPECT_EQ(canvas.image().size(), canvas.size() * canvas.pixel_ratio());
    EXPECT_EQ(canvas.image().pixel(canvas.to_device_x(150), canvas.to_device_y(30)), rgb_of(ColorYellow));
    // The margin continues the background tiles rather than stretching the drawing.
    canvas.resize(ClientWidthPixels * 2 + 200, ClientHeightPixels * 2);
    EXPECT_EQ(canvas.origin(), QPointF(100, 0));
    EXPECT_EQ(canvas.image().pixel(canvas.to_device_x(150), canvas.to_device_y(30)), rgb_of(ColorYellow));
}

// The canvas reuses its pixels across resizes; a copy of the image held
// elsewhere must keep what it showed, and the canvas its own drawing.
TEST(CrispCanvas, ACopyOfTheImageKeepsItsPixelsWhileTheCanvasResizes) {
    QtCanvas canvas;
    canvas.draw_picture(BackgroundGreen, 0, 0);
    canvas.draw_box(30, 30, 300, 300, ColorYellow);
    grow(canvas, 2.0);
    const QImage held = canvas.image();
    const QImage expected = held.copy();
    canvas.resize(ClientWidthPixels, ClientHeightPixels);
    grow(canvas, 1.5);
    canvas.draw_box(60, 60, 600, 600, ColorWhite);
    EXPECT_EQ(held, expected);
    EXPECT_EQ(canvas.image().pixel(canvas.to_device_x(150), canvas.to_device_y(30)), rgb_of(ColorYellow));
    EXPECT_EQ(canvas.image().pixel(canvas.to_device_x(300), canvas.to_device_y(60)), rgb_of(ColorWhite));
}

// ---- The whole window at a larger size ----

class CrispWindow : public ShownWindowTest {
protected:
    // Whether the square's outline, one designed pixel inside it, is in the colour on all four sides.
    bool outlined(int colour, int x, int y) {
        const int left = grid_to_twips_x(x) + TwipsPerPixel, top = grid_to_twips_y(y) + TwipsPerPixel;
        const int right = grid_to_twips_x(x + 1) - TwipsPerPixel,
                  bottom = grid_to_twips_y(y + 1) - TwipsPerPixel;
        const int midX = (left + right) / 2, midY = (top + bottom) / 2;
        const QImage& image = canvas().image();
        const QRgb c = rgb_of(colour);
        return image.pixel(canvas().to_device_x(midX), canvas().to_device_y(top)) == c &&
               image.pixel(canvas().to_device_x(midX), canvas().to_device_y(bottom)) == c &&
               image.pixel(canvas().to_device_x(left), canvas().to_device_y(midY)) == c &&
               image.pixel(canvas().to_device_x(right), canvas().to_device_y(midY)) == c;
    }
};

TEST_F(CrispWindow, OpensAtTheDesignedSizeAndMayGrow) {
    EXPECT_EQ(canvas().size(), QSize(ClientWidthPixels, ClientHeightPixels));
    EXPECT_GT(window->maximumWidth(), 2 * ClientWidthPixels);
    EXPECT_GT(window->maximumHeight(), 2 * ClientHeightPixels);
}

TEST_F(CrispWindow, ClicksOutlinesAndRuledLinesFollowTheScale) {
    choose("START");
    QTest::qWait(50);
    click(8, 8);  // 先手's cannon
    ASSERT_TRUE(outlined(ColorLightRed, 8, 8));
    int selected = 8;
    for (double factor : {1.5, 2.0}) {
        SCOPED_TRACE(factor);
        resize_canvas(factor);
        EXPECT_TRUE(outlined(ColorLightRed, selected, 8)) << "the outline did not survive the resize";
        selected = 10 - selected;  // the selection moves between the two cannons
        click(selected, 8);
        EXPECT_EQ(window->form().selection().SelectState, 1);
        EXPECT_TRUE(outlined(ColorLightRed, selected, 8));
        EXPECT_FALSE(outlined(ColorLightRed, 10 - selected, 8));
        // Down the empty middle of column 4 every ruled line is pen pixels of the line colour.
        const QImage& image = canvas().image();
        const int x = canvas().to_device_x(grid_to_twips_x(4) + 150);
        int lines = 0;
        for (int y = canvas().to_device_y(grid_to_twips_y(4));
             y < canvas().to_device_y(grid_to_twips_y(8));) {
            const int run = run_length(image, {x, y}, {0, 1}, rgb_of(LineColor));
            if (run > 0) {
                EXPECT_EQ(run, canvas().pen_width()) << "at " << y;
                ++lines;
            }
            y += std::max(run, 1);
        }
        EXPECT_GE(lines, 3);
    }
}

// Texts and the title span several tiles: they leave the list once the tiles
// of the next full redraw have covered them all, so the list does not grow.
TEST_F(CrispWindow, TheDisplayListStaysTheSameSizeOverFullRedraws) {
    window->form().画面_再描画();
    const size_t once = canvas().display_list_size();
    for (int i = 0; i < 5; ++i) window->form().画面_再描画();
    EXPECT_EQ(canvas().display_list_size(), once);
}

TEST_F(CrispWindow, TheRecordPanelScalesWithTheDrawing) {
    QWidget* drive = window->panel().widget(PanelControl::Drive1);
    const QRect before = drive->geometry();
    resize_canvas(2.0);
    EXPECT_EQ(drive->geometry().topLeft(), before.topLeft() * 2);
    EXPECT_NEAR(drive->width(), before.width() * 2, 1);
    EXPECT_NEAR(drive->height(), before.height() * 2, 1);
}

TEST_F(CrispWindow, TheDriveListIsLightYellowLikeTheOtherLists) {
    auto* drive = static_cast<QComboBox*>(window->panel().widget(PanelControl::Drive1));
    drive->show();
    const QImage shot = drive->grab().toImage();
    const QPoint inside(shot.width() / 4, shot.height() / 2);
    int yellow = 0, total = 0;
    for (int y = 3; y < shot.height() - 3; ++y, ++total)
        yellow += shot.pixelColor(inside.x(), y) == QColor(255, 255, 192);
    EXPECT_GT(yellow, total * 3 / 4);
}

}  // namespace
}  // namespace zenko
