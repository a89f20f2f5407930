#pragma once

#include <QImage>
#include <QWidget>

#include "canvas.h"

// The drawing area: a 2-pixel sunken border around the surface's persistent
// image, which it shows without copying and repaints wherever it is exposed.
// The box keeps its size in the window's pixels; on a screen with more device
// pixels to each, it shows a canvas drawn at that ratio, one canvas pixel to
// one device pixel.
class PictureBox : public QWidget {
    Q_OBJECT

public:
    static constexpr int Border = 2;

    PictureBox(const Canvas& shown, QWidget* parent);

    // Shows `shown` from now on: the picture, or the same picture drawn at
    // its own scale. The model may make a new one in any event, so the window
    // hands it over after each; it is wrapped again only when it moved.
    void Show(const Canvas& shown);
    // The whole interior after a redraw.
    void ShowChanges();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintBorder(QPainter& painter);

    QImage image;
};
