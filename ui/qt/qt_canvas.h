// The window's client area: a retained image the game draws on in twips.
// Nothing is redrawn on exposure; paintEvent only copies the image out.
// The drawing keeps its designed proportions at any window size: it is
// scaled uniformly and centred, the margin filled with the background.
// Every call since the background was last painted over is kept in a
// display list and replayed when the window's size or pixel ratio changes,
// so the image is always drawn at the screen's own resolution.
#pragma once

#include <QHash>
#include <QImage>
#include <QPointF>
#include <QRegion>
#include <QWidget>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "ui/platform.h"

namespace zenko {

class QtCanvas : public QWidget, public Canvas {
public:
    explicit QtCanvas(QWidget* parent = nullptr);

    void draw_picture(int pictureCode, int x, int y) override;
    void draw_line(int x1, int y1, int x2, int y2, int colour) override;
    void draw_box(int x1, int y1, int x2, int y2, int colour) override;
    void draw_text(int x, int y, const std::string& text, int pointSize, bool bold, int colour) override;
    void refresh() override;

    QSize sizeHint() const override;

    // The retained image, in device pixels.
    const QImage& image() const { return image_; }
    double pixel_ratio() const { return ratio_; }
    // Widget pixels per designed pixel, and the top-left of the drawing in widget pixels.
    double scale() const { return scale_; }
    QPointF origin() const { return origin_; }
    // Device pixel of a length in twips, and of a window point in twips.
    int to_device(double twips) const;
    int to_device_x(double xTwips) const;
    int to_device_y(double yTwips) const;
    // Thickness of a line in device pixels: one designed pixel, whole device pixels.
    int pen_width() const;
    // Calls kept for the next replay.
    size_t display_list_size() const { return calls_.size(); }
    // Number of times the widget has been painted (start-up measurement).
    int paint_count() const { return paints_; }

    // Mouse-down on the client area: button and shift state as the game
    // numbers them (1 left, 2 right, 4 middle; 1 Shift, 2 Ctrl, 4 Alt),
    // position in twips.
    std::function<void(int button, int shift, double x, double y)> onMouseDown;
    // The scale or origin changed (the record panel follows it).
    std::function<void()> onGeometryChanged;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    enum class Kind { Picture, Line, Box, Text };
    struct Call {
        Kind kind;
        int x1, y1, x2, y2;  // twips; a picture's or text's far corner is its extent
        int colour;          // palette index, or the picture code
        int pointSize = 0;
        bool bold = false;
        std::string text{};
        QRegion uncovered{};  // twips not yet painted over by a later picture
        long long order = 0;  // when the call was made
        // A slanting line belongs to the square under its middle; it is hidden
        // from the call that painted a picture over that square.
        long long hiddenFrom = std::numeric_limits<long long>::max();
    };

    static bool is_slanting(const Call& call);
    static QPoint middle(const Call& call);
    void record(Call call);
    void play(const Call& call);
    QPointF exact_device(int xTwips, int yTwips) const;
    void restore_slanting_lines(QPainter& painter, const Call& picture, const QRect& place);
    void rebuild();
    void resize_image(QSize device);
    void fill_margin();
    void changed();
    const QImage& picture(int pictureCode, int width, int height);
    QImage load_picture(const QString& name, int width, int height) const;
    QRect device_rect(int x1, int y1, int x2, int y2) const;

    double ratio_ = 1.0;
    double scale_ = 1.0;
    QPointF origin_;
    QImage image_;
    // The image's pixels, kept at the largest size drawn so far: growing the
    // window again reuses memory already mapped instead of faulting in
    // fresh pages, which costs more than the whole replay.
    std::shared_ptr<uchar[]> pixels_;
    qsizetype capacity_ = 0;
    QHash<quint64, QImage> pictures_;  // by code and device size
    std::vector<Call> calls_;
    long long callsMade_ = 0;
    int background_ = -1;  // the last background tile drawn, for the margin
    int paints_ = 0;
    bool updatePending_ = false;
};

}  // namespace zenko
