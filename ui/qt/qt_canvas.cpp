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
// Above this many device pixels per designed pixel the @2x artwork is used
// and text is antialiased; below it text is drawn with whole pixels only.
constexpr double HighResolution = 1.5;
constexpr int PictureTwips = PictureSize * TwipsPerPixel;
constexpr int MaximumCachedPictures = 200;

QColor palette_colour(int index) {
    const Rgb rgb = palette_rgb(index);
    return QColor(rgb.r, rgb.g, rgb.b);
}

bool is_background(int pictureCode) {
    return pictureCode >= BackgroundGreen && pictureCode <= BackgroundBrick;
}

int picture_width_twips(int pictureCode) {
    return (pictureCode == PictureTitle ? TitlePictureWidth : PictureSize) * TwipsPerPixel;
}

QFont text_font(int pixelSize, bool bold, bool sharp) {
    QFont font(QString::fromLatin1(TextFontFamily));
    font.setPixelSize(std::max(1, pixelSize));
    font.setBold(bold);
    if (sharp) {
        // Thin strokes land on whole pixels in their own colour, not blurred over two rows.
        font.setHintingPreference(QFont::PreferFullHinting);
        font.setStyleStrategy(QFont::NoAntialias);
    }
    return font;
}

}  // namespace

QtCanvas::QtCanvas(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(ClientWidthPixels, ClientHeightPixels);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // The client area's background colour; the menu bar keeps the system's.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, palette_colour(LineColor));
    setPalette(colours);
    resize(ClientWidthPixels, ClientHeightPixels);
    rebuild();
}

QSize QtCanvas::sizeHint() const { return {ClientWidthPixels, ClientHeightPixels}; }

int QtCanvas::to_device(double twips) const {
    return static_cast<int>(std::lround(twips * scale_ * ratio_ / TwipsPerPixel));
}
int QtCanvas::to_device_x(double xTwips) const {
    return static_cast<int>(std::lround(origin_.x() * ratio_)) + to_device(xTwips);
}
int QtCanvas::to_device_y(double yTwips) const {
    return static_cast<int>(std::lround(origin_.y() * ratio_)) + to_device(yTwips);
}
int QtCanvas::pen_width() const { return std::max(1, static_cast<int>(std::lround(scale_ * ratio_))); }

QRect QtCanvas::device_rect(int x1, int y1, int x2, int y2) const {
    const int left = to_device_x(std::min(x1, x2)), top = to_device_y(std::min(y1, y2));
    return QRect(left, top, to_device_x(std::max(x1, x2)) - left, to_device_y(std::max(y1, y2)) - top);
}

// ---- The display list ----

void QtCanvas::draw_picture(int pictureCode, int x, int y) {
    if (!picture_holder_name(pictureCode)) return;
    record({Kind::Picture, x, y, x + picture_width_twips(pictureCode), y + PictureTwips, pictureCode});
}

void QtCanvas::draw_line(int x1, int y1, int x2, int y2, int colour) {
    record({Kind::Line, x1, y1, x2, y2, colour});
}

void QtCanvas::draw_box(int x1, int y1, int x2, int y2, int colour) {
    record({Kind::Box, x1, y1, x2, y2, colour});
}

void QtCanvas::draw_text(int x, int y, const std::string& text, int pointSize, bool bold, int colour) {
    // The extent at the designed size, with a pixel to spare, decides when a picture covers it.
    const QFontMetrics metrics(
        text_font(static_cast<int>(std::lround(pointSize * PixelsPerPoint)), bold, false));
    const QRect ink = metrics.boundingRect(QString::fromStdString(text));
    const int right =
        x +
        (std::max(ink.right(), metrics.horizontalAdvance(QString::fromStdString(text))) + 2) * TwipsPerPixel;
    const int bottom = y + (metrics.height() + 2) * TwipsPerPixel;
    record({Kind::Text, x, y, right, bottom, colour, pointSize, bold, text});
}

// Opaque pictures hide what lay under them: a call leaves the list once
// later pictures have covered all of it, so the list holds only what a
// repaint of the background has not painted over.
void QtCanvas::record(Call call) {
    const int pen = call.kind == Kind::Picture ? 0 : TwipsPerPixel;
    const QRect extent(QPoint(std::min(call.x1, call.x2), std::min(call.y1, call.y2)),
                       QPoint(std::max(call.x1, call.x2) + pen - 1, std::max(call.y1, call.y2) + pen - 1));
    if (call.kind == Kind::Picture) {
        const auto covered = [&extent](Call& earlier) {
            if (!earlier.uncovered.boundingRect().intersects(extent)) return false;
            earlier.uncovered -= extent;
            return earlier.uncovered.isEmpty();
        };
        calls_.erase(std::remove_if(calls_.begin(), calls_.end(), covered), calls_.end());
        if (is_background(call.colour)) background_ = call.colour;
    }
    call.uncovered = QRegion(extent);
    calls_.push_back(std::move(call));
    play(calls_.back());
    changed();
}

namespace {

// A slanting line as a pen-sized square stamped on every step from a to b:
// whole device pixels, no gaps where a wide pen's edges would pass through
// pixel centres.
void stamp_line(QPainter& painter, QPoint a, QPoint b, int pen, const QColor& colour) {
    const int dx = std::abs(b.x() - a.x()), dy = -std::abs(b.y() - a.y());
    const int sx = a.x() < b.x() ? 1 : -1, sy = a.y() < b.y() ? 1 : -1;
    int error = dx + dy;
    for (QPoint p = a;;) {
        painter.fillRect(p.x(), p.y(), pen, pen, colour);
        if (p == b) break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            p.rx() += sx;
        }
        if (twice <= dx) {
            error += dx;
            p.ry() += sy;
        }
    }
}

}  // namespace

void QtCanvas::play(const Call& call) {
    QPainter painter(&image_);
    const int pen = pen_width();
    const QColor colour = palette_colour(call.colour);
    switch (call.kind) {
        case Kind::Picture: {
            const QRect place = device_rect(call.x1, call.y1, call.x2, call.y2);
            const QImage& source = picture(call.colour, place.width(), place.height());
            if (!source.isNull()) painter.drawImage(place.topLeft(), source);
            break;
        }
        case Kind::Line: {
            const QPoint a(to_device_x(call.x1), to_device_y(call.y1)),
                b(to_device_x(call.x2), to_device_y(call.y2));
            if (a.x() == b.x() || a.y() == b.y()) {
                // Both end points included, the pen hanging right of and below the line.
                painter.fillRect(
                    QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                          QPoint(std::max(a.x(), b.x()) + pen - 1, std::max(a.y(), b.y()) + pen - 1)),
                    colour);
                break;
            }
            stamp_line(painter, a, b, pen, colour);
            break;
        }
        case Kind::Box: {
            const QRect r = device_rect(call.x1, call.y1, call.x2, call.y2);
            const int w = r.width() + pen, h = r.height() + pen;
            painter.fillRect(r.left(), r.top(), w, pen, colour);
            painter.fillRect(r.left(), r.top() + r.height(), w, pen, colour);
            painter.fillRect(r.left(), r.top(), pen, h, colour);
            painter.fillRect(r.left() + r.width(), r.top(), pen, h, colour);
            break;
        }
        case Kind::Text: {
            const double device = scale_ * ratio_;
            const QFont font =
                text_font(static_cast<int>(std::lround(call.pointSize * PixelsPerPoint * device)), call.bold,
                          device < HighResolution);
            painter.setFont(font);
            painter.setPen(colour);
            // The game gives the top-left of the text line; Qt draws on the baseline.
            const int baseline = to_device_y(call.y1) + QFontMetrics(font).ascent();
            painter.drawText(QPoint(to_device_x(call.x1), baseline), QString::fromStdString(call.text));
            break;
        }
    }
}

// ---- Pictures at the device size ----

QImage QtCanvas::load_picture(const QString& name, int width, int height) const {
    const QString base = QStringLiteral(":/pictures/") + name;
    const bool high = scale_ * ratio_ > HighResolution && QFile::exists(base + QStringLiteral("@2x.png"));
    QImage source(base + (high ? QStringLiteral("@2x.png") : QStringLiteral(".png")));
    if (source.isNull()) return source;
    // Pictures are opaque copies: drop any alpha channel once, here.
    source = source.convertToFormat(QImage::Format_RGB32);
    source.setDevicePixelRatio(1.0);
    if (source.size() != QSize(width, height))
        source = source.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return source;
}

const QImage& QtCanvas::picture(int pictureCode, int width, int height) {
    const quint64 key = (quint64(quint32(pictureCode)) << 32) | quint64(width << 16 | height);
    auto found = pictures_.find(key);
    if (found == pictures_.end())
        found = pictures_.insert(
            key, load_picture(QString::fromLatin1(picture_holder_name(pictureCode)), width, height));
    return found.value();
}

// ---- Size and resolution ----

void QtCanvas::resizeEvent(QResizeEvent*) {
    rebuild();
    if (onGeometryChanged) onGeometryChanged();
}

// A new image at the device resolution of the current size, the list replayed on it.
void QtCanvas::rebuild() {
    ratio_ = devicePixelRatioF();
    scale_ = std::min(width() / double(ClientWidthPixels), height() / double(ClientHeightPixels));
    origin_ =
        QPointF((width() - ClientWidthPixels * scale_) / 2, (height() - ClientHeightPixels * scale_) / 2);
    const QSize device(static_cast<int>(std::lround(width() * ratio_)),
                       static_cast<int>(std::lround(height() * ratio_)));
    if (image_.size() != device) resize_image(device);
    // Pictures are kept by device size; a long run of resizes must not hoard them.
    if (pictures_.size() > MaximumCachedPictures) pictures_.clear();
    fill_margin();
    for (const Call& call : calls_) play(call);
    changed();
}

namespace {

void release_pixels(void* holder) { delete static_cast<std::shared_ptr<uchar[]>*>(holder); }

}  // namespace

// The image at a new size on the kept pixels. Each image made on them holds
// them until Qt drops its last copy; they are written over only when the
// image itself is their one user, so no copy handed out changes under its holder.
void QtCanvas::resize_image(QSize device) {
    const qsizetype bytesPerLine = qsizetype(device.width()) * 4;
    const qsizetype bytes = bytesPerLine * device.height();
    const bool soleUser =
        pixels_.use_count() == 2 && image_.isDetached() && image_.constBits() == pixels_.get();
    if (!soleUser || bytes > capacity_) {
        pixels_ = std::shared_ptr<uchar[]>(new uchar[std::max<qsizetype>(bytes, 1)]);
        capacity_ = bytes;
    }
    image_ = QImage(pixels_.get(), device.width(), device.height(), bytesPerLine, QImage::Format_RGB32,
                    release_pixels, new std::shared_ptr<uchar[]>(pixels_));
}

// The background tiles continue into the margin, lined up with the drawing's own.
void QtCanvas::fill_margin() {
    if (background_ < 0) {
        image_.fill(palette_colour(LineColor));
        return;
    }
    const QRect tile = device_rect(grid_to_twips_x(0), grid_to_twips_y(0), grid_to_twips_x(0) + PictureTwips,
                                   grid_to_twips_y(0) + PictureTwips);
    QBrush brush(picture(background_, tile.width(), tile.height()));
    brush.setTransform(QTransform::fromTranslate(tile.left(), tile.top()));
    QPainter(&image_).fillRect(image_.rect(), brush);
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
    if (devicePixelRatioF() != ratio_) rebuild();  // moved to a screen of another resolution
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
    // Back through the drawing's scale, so a square is hit where it is drawn.
    const QPointF at = (event->position() - origin_) / scale_;
    if (onMouseDown) onMouseDown(button, shift, at.x() * TwipsPerPixel, at.y() * TwipsPerPixel);
}

}  // namespace zenko
