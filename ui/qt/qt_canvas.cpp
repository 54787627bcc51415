#include "ui/qt/qt_canvas.h"

#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ui/presentation.h"

namespace zenko {

namespace {

// The drawing font: IPA P明朝, the proportional Mincho face.
constexpr const char* TextFontFamily = "IPAPMincho";
constexpr double PixelsPerPoint = 96.0 / 72.0;

QColor palette_colour(int index) {
    const Rgb rgb = palette_rgb(index);
    return QColor(rgb.r, rgb.g, rgb.b);
}

QPen one_pixel_pen(int colour) {
    QPen pen(palette_colour(colour));
    pen.setWidth(1);
    pen.setCosmetic(true);
    return pen;
}

}  // namespace

QtCanvas::QtCanvas(QWidget* parent) : QWidget(parent), ratio_(devicePixelRatioF()) {
    setFixedSize(ClientWidthPixels, ClientHeightPixels);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    // The client area's background colour; the menu bar keeps the system's.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, palette_colour(LineColor));
    setPalette(colours);
    image_ = QImage(static_cast<int>(std::lround(ClientWidthPixels * ratio_)),
                    static_cast<int>(std::lround(ClientHeightPixels * ratio_)), QImage::Format_RGB32);
    // Until the first picture is drawn the window shows its background colour.
    image_.fill(palette_colour(LineColor));
}

int QtCanvas::to_device(double twips) const {
    return static_cast<int>(std::lround(twips * ratio_ / TwipsPerPixel));
}

QImage QtCanvas::load_picture(const QString& name) const {
    const QString base = QStringLiteral(":/pictures/") + name;
    QImage source;
    if (ratio_ >= 2.0 && QFile::exists(base + QStringLiteral("@2x.png"))) {
        source = QImage(base + QStringLiteral("@2x.png"));
        source.setDevicePixelRatio(2.0);
    } else {
        source = QImage(base + QStringLiteral(".png"));
    }
    if (source.isNull()) return source;
    // Pictures are opaque copies: drop any alpha channel once, here.
    source = source.convertToFormat(QImage::Format_RGB32);
    const QSize logical = source.deviceIndependentSize().toSize();
    const QSize device(static_cast<int>(std::lround(logical.width() * ratio_)),
                       static_cast<int>(std::lround(logical.height() * ratio_)));
    if (source.size() != device)
        source = source.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    source.setDevicePixelRatio(1.0);
    return source;
}

const QImage& QtCanvas::picture(int pictureCode) {
    auto found = pictures_.find(pictureCode);
    if (found == pictures_.end()) {
        const char* name = picture_holder_name(pictureCode);
        found = pictures_.insert(pictureCode, name ? load_picture(QString::fromLatin1(name)) : QImage());
    }
    return found.value();
}

void QtCanvas::draw_picture(int pictureCode, int x, int y) {
    const QImage& source = picture(pictureCode);
    if (source.isNull()) return;
    QPainter painter(&image_);
    painter.drawImage(QPoint(to_device(x), to_device(y)), source);
    changed();
}

void QtCanvas::draw_line(int x1, int y1, int x2, int y2, int colour) {
    QPainter painter(&image_);
    painter.setPen(one_pixel_pen(colour));
    painter.drawLine(to_device(x1), to_device(y1), to_device(x2), to_device(y2));
    changed();
}

void QtCanvas::draw_box(int x1, int y1, int x2, int y2, int colour) {
    const int left = to_device(std::min(x1, x2)), right = to_device(std::max(x1, x2));
    const int top = to_device(std::min(y1, y2)), bottom = to_device(std::max(y1, y2));
    // Four lines rather than drawRect, so both corners are inside the outline.
    const QPoint corners[] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}};
    QPainter painter(&image_);
    painter.setPen(one_pixel_pen(colour));
    painter.drawPolyline(corners, 5);
    changed();
}

void QtCanvas::draw_text(int x, int y, const std::string& text, int pointSize, bool bold, int colour) {
    QFont font(QString::fromLatin1(TextFontFamily));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pointSize * PixelsPerPoint * ratio_))));
    font.setBold(bold);
    QPainter painter(&image_);
    painter.setFont(font);
    painter.setPen(palette_colour(colour));
    // The game gives the top-left of the text line; Qt draws on the baseline.
    const int baseline = to_device(y) + QFontMetrics(font).ascent();
    painter.drawText(QPoint(to_device(x), baseline), QString::fromStdString(text));
    changed();
}

// The screen catches up at the next pass of the event loop, including the
// loop of a message box shown in the middle of a handler.
void QtCanvas::changed() {
    if (updatePending_) return;
    updatePending_ = true;
    update();
}

void QtCanvas::refresh() { repaint(); }

void QtCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(QRectF(0, 0, width(), height()), image_);
    updatePending_ = false;
    ++paints_;
}

void QtCanvas::mousePressEvent(QMouseEvent* event) {
    int button = 0;
    if (event->button() == Qt::LeftButton) button = 1;
    if (event->button() == Qt::RightButton) button = 2;
    if (event->button() == Qt::MiddleButton) button = 4;
    int shift = 0;
    if (event->modifiers() & Qt::ShiftModifier) shift |= 1;
    if (event->modifiers() & Qt::ControlModifier) shift |= 2;
    if (event->modifiers() & Qt::AltModifier) shift |= 4;
    const QPointF at = event->position();
    if (onMouseDown) onMouseDown(button, shift, at.x() * TwipsPerPixel, at.y() * TwipsPerPixel);
}

}  // namespace zenko
