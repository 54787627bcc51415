// Whether every text and the title plaque stand out from every background:
// the game's drawing calls are recorded, replayed on the window's canvas
// without the coloured texts, and each text's contrast ratio (the WCAG
// formula) is taken against the mean colour of that image under it: the
// tiles with the black shadows on them.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <algorithm>
#include <cmath>

#include "fakes.h"
#include "ui/qt/qt_canvas.h"
#include "window/qt_test_support.h"

namespace zenko {
namespace {

using testing::DrawCall;
using testing::FormFixture;

constexpr double MinimumContrast = 3.0;

double linear(double channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
double luminance(QColor c) {
    return 0.2126 * linear(c.red()) + 0.7152 * linear(c.green()) + 0.0722 * linear(c.blue());
}
double contrast(QColor a, QColor b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor mean_colour(const QImage& image, QRect area) {
    area = area.intersected(image.rect());
    double r = 0, g = 0, b = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            r += qRed(p), g += qGreen(p), b += qBlue(p);
        }
    const double n = std::max(1, area.width() * area.height());
    const auto channel = [n](double sum) { return static_cast<int>(std::lround(sum / n)); };
    return QColor(channel(r), channel(g), channel(b));
}

QImage picture_file(int code, int ratio) {
    const QString name = QStringLiteral(ZENKO_SOURCE_DIR "/ui/pictures/") + picture_holder_name(code) +
                         (ratio == 2 ? QStringLiteral("@2x.png") : QStringLiteral(".png"));
    return QImage(name).convertToFormat(QImage::Format_RGB32);
}

// The recorded calls drawn on a canvas grown by the factor, the texts in
// colour and the title left out: what lies under them.
void draw_ground(QtCanvas& canvas, const std::vector<DrawCall>& calls, double factor) {
    canvas.show();
    canvas.resize(static_cast<int>(std::lround(ClientWidthPixels * factor)),
                  static_cast<int>(std::lround(ClientHeightPixels * factor)));
    for (const DrawCall& call : calls) switch (call.kind) {
            case DrawCall::Picture:
                if (call.code != PictureTitle) canvas.draw_picture(call.code, call.x1, call.y1);
                break;
            case DrawCall::Line:
                canvas.draw_line(call.x1, call.y1, call.x2, call.y2, call.colour);
                break;
            case DrawCall::Box:
                canvas.draw_box(call.x1, call.y1, call.x2, call.y2, call.colour);
                break;
            case DrawCall::Text:
                if (call.colour == ColorBlack)
                    canvas.draw_text(call.x1, call.y1, call.text, call.pointSize, call.bold, call.colour);
                break;
        }
}

// Where a text's glyphs lie on the canvas, in device pixels.
QRect ink_rect(const QtCanvas& canvas, const DrawCall& text) {
    QFont font(QStringLiteral("IPAPMincho"));
    font.setPixelSize(
        static_cast<int>(std::lround(text.pointSize * 96.0 / 72.0 * canvas.scale() * canvas.pixel_ratio())));
    font.setBold(text.bold);
    const QFontMetrics metrics(font);
    const QRect ink = metrics.tightBoundingRect(QString::fromStdString(text.text));
    return ink.translated(canvas.to_device_x(text.x1), canvas.to_device_y(text.y1) + metrics.ascent());
}

// The title plaque meets the background with its gold frame: the brightest
// colour on its outer rim is the frame line's own.
QColor plaque_frame_colour(int ratio) {
    const QImage title = picture_file(PictureTitle, ratio);
    QColor frame(Qt::black);
    for (int y = 0; y < title.height(); ++y)
        for (int x = 0; x < title.width(); ++x) {
            const int edge = std::min({x, y, title.width() - 1 - x, title.height() - 1 - y});
            const QColor c(title.pixel(x, y));
            if (edge < 2 * ratio && luminance(c) > luminance(frame)) frame = c;
        }
    return frame;
}

// Every kind of text the window shows: labels, LEVEL, the move count, the
// clock, the thinking notice and the move texts of a game against the
// computer; the handicap caption and a loaded record's names.
std::vector<DrawCall> calls_showing_every_text(int background) {
    std::vector<DrawCall> calls;
    {
        FormFixture f;
        f.form.初期設定();
        f.form.use_background(background);
        f.form.SENTE_Click();
        testing::click_square(f.form, 8, 8);
        testing::click_square(f.form, 5, 8);  // the computer replies
        const testing::TemporaryWorkingDirectory settingsFolder("zenko-contrast");
        f.form.KEIKA_Click();  // the two clocks
        calls = f.canvas.calls;
    }
    FormFixture f;
    f.form.初期設定();
    f.form.use_background(background);
    for (int i = 0; i < 4; ++i) f.form.LBEL_UP_Click();
    testing::load_record(f.form, f.panel, f.dialogs);
    calls.insert(calls.end(), f.canvas.calls.begin(), f.canvas.calls.end());
    return calls;
}

TEST(BackgroundContrast, TextsAndTitleStandOutFromEveryBackground) {
    for (int code : {BackgroundGreen, BackgroundTatami, BackgroundBamboo, BackgroundSpace, BackgroundBrick}) {
        SCOPED_TRACE(picture_holder_name(code));
        const std::vector<DrawCall> calls = calls_showing_every_text(code);
        for (double factor : {1.0, 2.0}) {
            SCOPED_TRACE(factor);
            QtCanvas canvas;
            draw_ground(canvas, calls, factor);
            const QImage& ground = canvas.image();
            const int ratio = canvas.scale() * canvas.pixel_ratio() > 1.5 ? 2 : 1;
            int checked = 0;
            for (const DrawCall& call : calls) {
                if (call.kind == DrawCall::Text && call.colour != ColorBlack) {
                    const QColor under = mean_colour(ground, ink_rect(canvas, call));
                    EXPECT_GE(contrast(QColor(testing::rgb_of(call.colour)), under), MinimumContrast)
                        << call.text << " under " << under.name().toStdString();
                    ++checked;
                }
                if (call.kind == DrawCall::Picture && call.code == PictureTitle) {
                    const QRect place(canvas.to_device_x(call.x1), canvas.to_device_y(call.y1),
                                      canvas.to_device(TitlePictureWidth * TwipsPerPixel),
                                      canvas.to_device(PictureSize * TwipsPerPixel));
                    const QColor under = mean_colour(ground, place);
                    EXPECT_GE(contrast(plaque_frame_colour(ratio), under), MinimumContrast)
                        << "title under " << under.name().toStdString();
                }
            }
            EXPECT_GT(checked, 40);
        }
    }
}

}  // namespace
}  // namespace zenko
