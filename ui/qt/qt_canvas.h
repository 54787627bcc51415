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
#include <QPainter>
#include <QPointF>
#include <QRegion>
#include <QWidget>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <unordered_map>
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

    // The retained image, in device pixels, with every call made so far on
    // it (read it again after more calls).
    const QImage& image() const {
        finish_painting();
        return image_;
    }
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
    size_t display_list_size() const { return calls_.size() - static_cast<size_t>(hiddenCalls_); }
    // Number of times the widget has been painted (start-up measurement).
    int paint_count() const { return paints_; }

    // Mouse-down on the client area: button and shift state as the game
    // numbers them (1 left, 2 right, 4 middle; 1 Shift, 2 Ctrl, 4 Alt),
    // position in twips.
    std::function<void(int button, int shift, double x, double y)> onMouseDown;
    // The scale or origin changed (the record panel follows it).
    std::function<void()> onGeometryChanged;
    // The widget has been painted.
    std::function<void()> onPainted;

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
        QRect bounds{};       // the bounding rectangle of `uncovered`
        long long order = 0;  // when the call was made
        // A slanting line belongs to the square under its middle; it is hidden
        // from the call that painted a picture over that square.
        long long hiddenFrom = std::numeric_limits<long long>::max();
    };

    static bool is_slanting(const Call& call);
    static QPoint middle(const Call& call);
    void record(Call call);
    void cover(const QRect& extent);
    void drop_hidden_calls();
    Call* find_call(long long order);
    template <typename Visit>
    void for_each_cell(const QRect& twips, Visit visit);
    void play(const Call& call);
    QPointF exact_device(int xTwips, int yTwips) const;
    void restore_slanting_lines(QPainter& painter, const Call& picture, const QRect& place);
    void rebuild();
    void resize_image(QSize device);
    void fill_margin();
    void changed();
    const QImage& picture(int pictureCode, int width, int height);
    QImage load_picture(const QString& name, int width, int height) const;
    QPainter& image_painter();
    void finish_painting() const;
    QRect device_rect(int x1, int y1, int x2, int y2) const;

    double ratio_ = 1.0;
    double scale_ = 1.0;
    QPointF origin_;
    QImage image_;
    mutable QPainter painter_;  // on image_ while calls are being played
    // The image's pixels, kept at the largest size drawn so far: growing the
    // window again reuses memory already mapped instead of faulting in
    // fresh pages, which costs more than the whole replay.
    std::shared_ptr<uchar[]> pixels_;
    qsizetype capacity_ = 0;
    QHash<quint64, QImage> pictures_;  // by code and device size
    // Right and bottom edge of each text drawn so far, in pixels at the
    // designed size, by text, size and boldness: shaping a text is costly.
    QHash<QString, QPoint> textExtents_;
    std::vector<Call> calls_;    // in the order made; a wholly hidden call awaits dropping
    long long hiddenCalls_ = 0;  // calls in the list that are wholly hidden
    // The orders of the calls whose extent touches each square of the grid
    // (twips), so a picture finds what it covers without scanning the list.
    static constexpr int CellTwips = 580;
    static constexpr long long CompactionSlack = 64;
    std::unordered_map<long long, std::vector<long long>> cells_;
    std::vector<long long> slanting_;  // the orders of the slanting lines
    long long callsMade_ = 0;
    long long playedUpTo_ = 0;  // the calls up to this order are on the image
    int background_ = -1;       // the last background tile drawn, for the margin
    int paints_ = 0;
    bool updatePending_ = false;
};

}  // namespace zenko
