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

}  // namespace

bool QtCanvas::is_slanting(const Call& call) {
    return call.kind == Kind::Line && call.x1 != call.x2 && call.y1 != call.y2;
}

QPoint QtCanvas::middle(const Call& call) { return {(call.x1 + call.x2) / 2, (call.y1 + call.y2) / 2}; }

namespace {

QFont text_font(int pixelSize, bool bold, bool sharp) {
    QFont font(QString::fromLatin1(TextFontFamily));
    font.setPixelSize(std::max(1, pixelSize));
    font.setBold(bold);
    if (sharp) {
        // Strokes land on whole pixels in their own colour, not blurred over
        // two rows. Unhinted outlines keep the digits' shapes: hinted and
        // made bold, a small "３" closes into an "８".
        font.setHintingPreference(QFont::PreferNoHinting);
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
    const QString shown = QString::fromStdString(text);
    const QString key = QString::number(pointSize) + (bold ? u'b' : u'r') + shown;
    auto extent = textExtents_.constFind(key);
    if (extent == textExtents_.constEnd()) {
        const QFontMetrics metrics(
            text_font(static_cast<int>(std::lround(pointSize * PixelsPerPoint)), bold, false));
        const int right = std::max(metrics.boundingRect(shown).right(), metrics.horizontalAdvance(shown)) + 2;
        extent = textExtents_.insert(key, QPoint(right, metrics.height() + 2));
    }
    record({Kind::Text, x, y, x + extent->x() * TwipsPerPixel, y + extent->y() * TwipsPerPixel, colour,
            pointSize, bold, text});
}

// Opaque pictures hide what lay under them: a call leaves the list once
// later pictures have covered all of it, so the list holds only what a
// repaint of the background has not painted over.
void QtCanvas::record(Call call) {
    const int pen = call.kind == Kind::Picture ? 0 : TwipsPerPixel;
    const QRect extent(QPoint(std::min(call.x1, call.x2), std::min(call.y1, call.y2)),
                       QPoint(std::max(call.x1, call.x2) + pen - 1, std::max(call.y1, call.y2) + pen - 1));
    call.order = ++callsMade_;
    if (call.kind == Kind::Picture) {
        for (const long long order : slanting_)
            if (Call* line = find_call(order);
                line && line->hiddenFrom > call.order && extent.contains(middle(*line)))
                line->hiddenFrom = call.order;
        cover(extent);
        if (is_background(call.colour)) background_ = call.colour;
    }
    call.uncovered = QRegion(extent);
    call.bounds = extent;
    if (is_slanting(call)) slanting_.push_back(call.order);
    for_each_cell(extent, [&](std::vector<long long>& cell) { cell.push_back(call.order); });
    calls_.push_back(std::move(call));
    changed();
}

// The calls an opaque picture hides wholly are dropped; only the calls
// filed under the cells it touches are looked at. Dropped calls leave the
// list in batches, and the cells are filed afresh then.
void QtCanvas::cover(const QRect& extent) {
    for_each_cell(extent, [&](std::vector<long long>& cell) {
        for (const long long order : cell) {
            Call* earlier = find_call(order);
            if (!earlier || earlier->uncovered.isEmpty() || !earlier->bounds.intersects(extent)) continue;
            earlier->uncovered -= extent;
            earlier->bounds = earlier->uncovered.boundingRect();
            if (earlier->uncovered.isEmpty()) ++hiddenCalls_;
        }
    });
    if (hiddenCalls_ * 2 > static_cast<long long>(calls_.size()) + CompactionSlack) drop_hidden_calls();
}

void QtCanvas::drop_hidden_calls() {
    calls_.erase(
        std::remove_if(calls_.begin(), calls_.end(), [](const Call& c) { return c.uncovered.isEmpty(); }),
        calls_.end());
    hiddenCalls_ = 0;
    cells_.clear();
    slanting_.clear();
    for (const Call& call : calls_) {
        for_each_cell(call.bounds, [&](std::vector<long long>& cell) { cell.push_back(call.order); });
        if (is_slanting(call)) slanting_.push_back(call.order);
    }
}

// The list keeps the calls in the order they were made.
QtCanvas::Call* QtCanvas::find_call(long long order) {
    const auto found = std::lower_bound(calls_.begin(), calls_.end(), order,
                                        [](const Call& c, long long o) { return c.order < o; });
    return found != calls_.end() && found->order == order ? &*found : nullptr;
}

template <typename Visit>
void QtCanvas::for_each_cell(const QRect& twips, Visit visit) {
    const auto cell_of = [](int twip) { return static_cast<int>(std::floor(twip / double(CellTwips))); };
    for (int x = cell_of(twips.left()); x <= cell_of(twips.right()); ++x)
        for (int y = cell_of(twips.top()); y <= cell_of(twips.bottom()); ++y)
            visit(cells_[(static_cast<long long>(x) << 32) ^ static_cast<unsigned>(y)]);
}

namespace {

// A slanting line as a pen-sized square stamped once per device pixel of
// its longer axis, each on the pixel nearest the exact line through its end
// points. Lines on one straight (a palace diagonal drawn square by square)
// thus land on the same pixels and join without a jog; whole device pixels,
// no gaps where a wide pen's edges would pass through pixel centres.
void stamp_line(QPainter& painter, QPointF a, QPointF b, int pen, const QColor& colour) {
    // Keeps a value exactly half way between two pixels on one side for every segment of a straight.
    constexpr double TieBreak = 1e-7;
    const bool alongX = std::abs(b.x() - a.x()) >= std::abs(b.y() - a.y());
    const double major0 = alongX ? a.x() : a.y(), major1 = alongX ? b.x() : b.y();
    const double minor0 = alongX ? a.y() : a.x(), minor1 = alongX ? b.y() : b.x();
    const double slope = (minor1 - minor0) / (major1 - major0);
    const int first = static_cast<int>(std::lround(major0)), last = static_cast<int>(std::lround(major1));
    const int step = first <= last ? 1 : -1;
    for (int major = first;; major += step) {
        const int minor = static_cast<int>(std::floor(minor0 + (major - major0) * slope + 0.5 + TieBreak));
        if (alongX)
            painter.fillRect(major, minor, pen, pen, colour);
        else
            painter.fillRect(minor, major, pen, pen, colour);
        if (major == last) break;
    }
}

}  // namespace

void QtCanvas::play(const Call& call) {
    QPainter& painter = image_painter();
    const int pen = pen_width();
    const QColor colour = palette_colour(call.colour);
    switch (call.kind) {
        case Kind::Picture: {
            const QRect place = device_rect(call.x1, call.y1, call.x2, call.y2);
            const QImage& source = picture(call.colour, place.width(), place.height());
            if (!source.isNull()) painter.drawImage(place.topLeft(), source);
            restore_slanting_lines(painter, call, place);
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
            stamp_line(painter, exact_device(call.x1, call.y1), exact_device(call.x2, call.y2), pen, colour);
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

// A point in device pixels before rounding, on the drawing's whole-pixel origin.
QPointF QtCanvas::exact_device(int xTwips, int yTwips) const {
    const double perTwip = scale_ * ratio_ / TwipsPerPixel;
    return {std::round(origin_.x() * ratio_) + xTwips * perTwip,
            std::round(origin_.y() * ratio_) + yTwips * perTwip};
}

// A wide pen hangs past a square's corner into its neighbours; a picture
// painted there later would cut a palace diagonal where two squares'
// pieces meet. The slanting lines of other squares still shown are stamped
// again where they cross the new picture.
void QtCanvas::restore_slanting_lines(QPainter& painter, const Call& picture, const QRect& place) {
    const int pen = pen_width();
    bool clipped = false;
    for (const long long order : slanting_) {
        const Call* found = find_call(order);
        if (!found) continue;
        const Call& line = *found;
        if (line.uncovered.isEmpty() || line.order >= picture.order || picture.order >= line.hiddenFrom)
            continue;
        const QRect reach = device_rect(line.x1, line.y1, line.x2, line.y2).adjusted(-pen, -pen, pen, pen);
        if (!reach.intersects(place)) continue;
        if (!clipped) painter.save(), painter.setClipRect(place), clipped = true;
        stamp_line(painter, exact_device(line.x1, line.y1), exact_device(line.x2, line.y2), pen,
                   palette_colour(line.colour));
    }
    if (clipped) painter.restore();
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

// A resize to the size the image was drawn for (the window shown at its
// designed size) changes nothing.
void QtCanvas::resizeEvent(QResizeEvent*) {
    const QSize device(static_cast<int>(std::lround(width() * devicePixelRatioF())),
                       static_cast<int>(std::lround(height() * devicePixelRatioF())));
    if (device != image_.size() || devicePixelRatioF() != ratio_) rebuild();
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
    for (const Call& call : calls_)
        if (!call.uncovered.isEmpty()) play(call);
    playedUpTo_ = callsMade_;
    changed();
}

namespace {

void release_pixels(void* holder) { delete static_cast<std::shared_ptr<uchar[]>*>(holder); }

}  // namespace

// The image at a new size on the kept pixels. Each image made on them holds
// them until Qt drops its last copy; they are written over only when the
// image itself is their one user, so no copy handed out changes under its holder.
// One painter serves a run of calls: opening one for each would cost more
// than most of the calls themselves. It is closed before the image is read.
QPainter& QtCanvas::image_painter() {
    if (!painter_.isActive()) painter_.begin(&image_);
    return painter_;
}

// Calls are played onto the image only when it is read: a call hidden by
// then (the background a full redraw paints twice, a square repainted) is
// never painted at all.
void QtCanvas::finish_painting() const {
    auto& self = const_cast<QtCanvas&>(*this);
    if (playedUpTo_ < callsMade_) {
        const auto first = std::upper_bound(self.calls_.begin(), self.calls_.end(), playedUpTo_,
                                            [](long long o, const Call& c) { return o < c.order; });
        for (auto call = first; call != self.calls_.end(); ++call)
            if (!call->uncovered.isEmpty()) self.play(*call);
        self.playedUpTo_ = callsMade_;
    }
    if (painter_.isActive()) painter_.end();
}

void QtCanvas::resize_image(QSize device) {
    finish_painting();
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
    image_painter().fillRect(image_.rect(), brush);
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
    finish_painting();
    QPainter painter(this);
    painter.drawImage(QRectF(0, 0, width(), height()), image_);
    updatePending_ = false;
    ++paints_;
    if (onPainted) onPainted();
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
