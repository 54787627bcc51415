// The window's client area: a retained image the game draws on in twips.
// Nothing is redrawn on exposure; paintEvent only copies the image out.
#pragma once

#include <QHash>
#include <QImage>
#include <QWidget>
#include <functional>

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

    // The retained image, in device pixels.
    const QImage& image() const { return image_; }
    double pixel_ratio() const { return ratio_; }
    // Device pixel of a window point in twips.
    int to_device(double twips) const;
    // Number of times the widget has been painted (start-up measurement).
    int paint_count() const { return paints_; }

    // Mouse-down on the client area: button and shift state as the game
    // numbers them (1 left, 2 right, 4 middle; 1 Shift, 2 Ctrl, 4 Alt),
    // position in twips.
    std::function<void(int button, int shift, double x, double y)> onMouseDown;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void changed();
    const QImage& picture(int pictureCode);
    QImage load_picture(const QString& name) const;

    double ratio_;
    QImage image_;
    QHash<int, QImage> pictures_;
    int paints_ = 0;
    bool updatePending_ = false;
};

}  // namespace zenko
