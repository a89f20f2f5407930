#include "picture_box.h"

#include <QPaintEvent>
#include <QPainter>

namespace {

QImage Wrap(const Canvas& canvas) {
    QImage image(reinterpret_cast<const uchar*>(canvas.pixels.data()), canvas.width, canvas.height,
                 canvas.width * int(sizeof(std::uint32_t)), QImage::Format_RGB32);
    image.setDevicePixelRatio(canvas.scale);
    return image;
}

}  // namespace

PictureBox::PictureBox(const Canvas& shown, QWidget* parent) : QWidget(parent), image(Wrap(shown)) {
    setAttribute(Qt::WA_StaticContents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::TabFocus);
}

void PictureBox::Show(const Canvas& shown) {
    const bool same = image.constBits() == reinterpret_cast<const uchar*>(shown.pixels.data()) &&
                      image.width() == shown.width && image.height() == shown.height &&
                      image.devicePixelRatio() == shown.scale;
    if (same) return;
    image = Wrap(shown);
    ShowChanges();
}

void PictureBox::ShowChanges() { update(Border, Border, PictureWidth, PictureHeight); }

void PictureBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect interior(Border, Border, PictureWidth, PictureHeight);
    if (!interior.contains(event->rect())) PaintBorder(painter);
    if (image.devicePixelRatio() == 1) {
        const QRect exposed = event->rect() & interior;
        if (!exposed.isEmpty()) painter.drawImage(exposed, image, exposed.translated(-Border, -Border));
        return;
    }
    // At its own size: one image pixel to one device pixel on a screen of the
    // image's ratio; scaled, without smoothing, on a screen of another ratio
    // until the next clearing redraw draws it again at that ratio.
    painter.drawImage(QPointF(Border, Border), image);
}

// Sunken: dark above and left, light below and right; the inner ring darker
// than the outer. Filled ring by ring rather than drawn as lines, so at a
// fractional ratio no device pixel is left between the rings and the picture.
void PictureBox::PaintBorder(QPainter& painter) {
    const QPalette& colours = palette();
    const int w = width(), h = height();
    painter.fillRect(0, 0, w, h, colours.color(QPalette::Mid));
    painter.fillRect(1, 1, w - 1, h - 1, colours.color(QPalette::Light));
    painter.fillRect(1, 1, w - 2, h - 2, colours.color(QPalette::Shadow));
    painter.fillRect(2, 2, w - 3, h - 3, colours.color(QPalette::Midlight));
}
