#pragma once

#include <QImage>
#include <QWidget>

#include "canvas.h"

// The drawing area: a 2-pixel sunken border around the surface's persistent
// image, which it shows without copying and repaints wherever it is exposed.
class PictureBox : public QWidget {
    Q_OBJECT

public:
    static constexpr int Border = 2;

    PictureBox(const Canvas& surface, QWidget* parent);

    // The whole interior after a redraw.
    void ShowChanges();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image;
};
