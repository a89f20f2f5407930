#include "picture_box.h"

#include <QPaintEvent>
#include <QPainter>

PictureBox::PictureBox(const Canvas& surface, QWidget* parent)
    : QWidget(parent),
      image(reinterpret_cast<const uchar*>(surface.pixels.data()), Canvas::Width, Canvas::Height,
            Canvas::Width * int(sizeof(std::uint32_t)), QImage::Format_RGB32) {
    setAttribute(Qt::WA_StaticContents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::TabFocus);
}

void PictureBox::ShowChanges() { update(Border, Border, Canvas::Width, Canvas::Height); }

void PictureBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect interior(Border, Border, Canvas::Width, Canvas::Height);
    const QRect exposed = event->rect() & interior;
    if (!exposed.isEmpty()) painter.drawImage(exposed, image, exposed.translated(-Border, -Border));

    const QRect outer = rect();
    if (interior.contains(event->rect())) return;
    // Sunken: dark above and left, light below and right; inner ring darker than the outer.
    const QColor outerShadow = palette().color(QPalette::Mid), innerShadow = palette().color(QPalette::Shadow);
    const QColor outerLight = palette().color(QPalette::Light), innerLight = palette().color(QPalette::Midlight);
    for (int ring = 0; ring < Border; ++ring) {
        const QRect r = outer.adjusted(ring, ring, -ring, -ring);
        painter.setPen(ring == 0 ? outerShadow : innerShadow);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(ring == 0 ? outerLight : innerLight);
        painter.drawLine(r.bottomLeft() + QPoint(1, 0), r.bottomRight());
        painter.drawLine(r.topRight() + QPoint(0, 1), r.bottomRight());
    }
}
