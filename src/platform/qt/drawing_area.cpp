// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "drawing_area.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

DrawingArea::DrawingArea(QSize size, std::int32_t background, QWidget* parent)
    : QWidget(parent), CanvasSurface(RingCanvas(size.width(), size.height(), devicePixelRatioF(), background))
{
    setFixedSize(size);
    setAttribute(Qt::WA_StaticContents);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DrawingArea::showFrame()
{
    canvas_.finishRun();
    QRegion dirty;
    for (const Box& box : canvas_.takeDirty()) {
        dirty += QRect(box.x, box.y, box.width, box.height);
    }
    if (!dirty.isEmpty()) {
        update(dirty);
    }
}

QImage DrawingArea::view()
{
    const std::uint32_t* pixels = canvas_.pixels();
    QImage image(reinterpret_cast<const uchar*>(pixels), canvas_.width(), canvas_.height(),
                 static_cast<qsizetype>(canvas_.width()) * 4, QImage::Format_RGB32);
    image.setDevicePixelRatio(canvas_.devicePixelRatio());
    return image;
}

QImage DrawingArea::picture()
{
    QImage copy = view().copy();
    copy.setDevicePixelRatio(canvas_.devicePixelRatio());
    return copy;
}

void DrawingArea::followDevicePixelRatio()
{
    canvas_.setDevicePixelRatio(devicePixelRatioF());
}

void DrawingArea::paintEvent(QPaintEvent* event)
{
    followDevicePixelRatio();
    const QImage image = view();
    const qreal ratio = image.devicePixelRatio();
    QPainter painter(this);
    for (const QRect& rect : event->region()) {
        // Whole device pixels, copied one to one.
        const QRect source =
            QRectF(QRectF(rect).topLeft() * ratio, QRectF(rect).size() * ratio).toAlignedRect() & image.rect();
        painter.drawImage(QRectF(QPointF(source.topLeft()) / ratio, QSizeF(source.size()) / ratio), image, source);
    }
}

void DrawingArea::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
}

void DrawingArea::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const bool wasPressed = pressed_;
    pressed_ = false;
    if (wasPressed && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

void DrawingArea::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ScreenChangeInternal) {
        followDevicePixelRatio();
        update();
    }
}
