// Whether the white and yellow texts and the title plaque stand out from
// every background: a full redraw is recorded, the background tiles it
// draws are composed into an image, and each text's contrast ratio (the
// WCAG formula) is taken against the mean colour of the tiles under it.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "fakes.h"
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
    return QColor(std::lround(r / n), std::lround(g / n), std::lround(b / n));
}

QImage picture_file(int code, int ratio) {
    const QString name = QStringLiteral(ZENKO_SOURCE_DIR "/ui/pictures/") + picture_holder_name(code) +
                         (ratio == 2 ? QStringLiteral("@2x.png") : QStringLiteral(".png"));
    return QImage(name).convertToFormat(QImage::Format_RGB32);
}

int pixels(int twips, int ratio) {
    return static_cast<int>(std::lround(twips * ratio / double(TwipsPerPixel)));
}

// The client area with only the background tiles of the recorded calls.
QImage background_only(const std::vector<DrawCall>& calls, int code, int ratio) {
    QImage image(ClientWidthPixels * ratio, ClientHeightPixels * ratio, QImage::Format_RGB32);
    image.fill(Qt::black);
    const QImage tile = picture_file(code, ratio);
    QPainter painter(&image);
    for (const DrawCall& call : calls)
        if (call.kind == DrawCall::Picture && call.code == code)
            painter.drawImage(pixels(call.x1, ratio), pixels(call.y1, ratio), tile);
    return image;
}

// Where a text's glyphs lie, in pixels at the ratio.
QRect ink_rect(const DrawCall& text, int ratio) {
    QFont font(QStringLiteral("IPAPMincho"));
    font.setPixelSize(static_cast<int>(std::lround(text.pointSize * 96.0 / 72.0 * ratio)));
    font.setBold(text.bold);
    const QFontMetrics metrics(font);
    const QRect ink = metrics.tightBoundingRect(QString::fromStdString(text.text));
    return ink.translated(pixels(text.x1, ratio), pixels(text.y1, ratio) + metrics.ascent());
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

TEST(BackgroundContrast, TextsAndTitleStandOutFromEveryBackground) {
    for (int code : {BackgroundGreen, BackgroundTatami, BackgroundBamboo, BackgroundSpace, BackgroundBrick}) {
        SCOPED_TRACE(picture_holder_name(code));
        FormFixture f;
        f.form.SENTE_Click();  // a game against the computer: the LEVEL caption too
        f.form.use_background(code);
        f.canvas.clear();
        f.form.画面_再描画();
        for (int ratio : {1, 2}) {
            SCOPED_TRACE(ratio);
            const QImage ground = background_only(f.canvas.calls, code, ratio);
            int checked = 0;
            for (const DrawCall& call : f.canvas.calls) {
                if (call.kind == DrawCall::Text &&
                    (call.colour == ColorWhite || call.colour == ColorYellow)) {
                    const QColor under = mean_colour(ground, ink_rect(call, ratio));
                    EXPECT_GE(contrast(QColor(testing::rgb_of(call.colour)), under), MinimumContrast)
                        << call.text << " under " << under.name().toStdString();
                    ++checked;
                }
                if (call.kind == DrawCall::Picture && call.code == PictureTitle) {
                    const QRect place(pixels(call.x1, ratio), pixels(call.y1, ratio),
                                      TitlePictureWidth * ratio, PictureSize * ratio);
                    const QColor under = mean_colour(ground, place);
                    EXPECT_GE(contrast(plaque_frame_colour(ratio), under), MinimumContrast)
                        << "title under " << under.name().toStdString();
                    ++checked;
                }
            }
            EXPECT_GT(checked, 20);
        }
    }
}

}  // namespace
}  // namespace zenko
