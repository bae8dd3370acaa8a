// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "drawing_area.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "form_host.h"

namespace {

Button button(const QMouseEvent* event)
{
    return event->button() == Qt::LeftButton ? Button::Primary : Button::Other;
}

}  // namespace

DrawingArea::DrawingArea(FormHost& host, QSize size, QWidget* parent) : QWidget(parent), host_(host)
{
    setFixedSize(size);
    setAttribute(Qt::WA_StaticContents);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage DrawingArea::view()
{
    RingCanvas& canvas = host_.picture();
    const std::uint32_t* pixels = canvas.pixels();
    QImage image(reinterpret_cast<const uchar*>(pixels), canvas.width(), canvas.height(),
                 static_cast<qsizetype>(canvas.width()) * 4, QImage::Format_RGB32);
    image.setDevicePixelRatio(canvas.devicePixelRatio());
    return image;
}

QImage DrawingArea::picture()
{
    QImage copy = view().copy();
    copy.setDevicePixelRatio(host_.picture().devicePixelRatio());
    return copy;
}

void DrawingArea::paintEvent(QPaintEvent* event)
{
    host_.setDevicePixelRatio(devicePixelRatioF());
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
    host_.press(button(event), static_cast<EventTime>(event->timestamp()));
}

void DrawingArea::mouseReleaseEvent(QMouseEvent* event)
{
    host_.release(button(event), rect().contains(event->position().toPoint()));
}

void DrawingArea::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ScreenChangeInternal) {
        host_.setDevicePixelRatio(devicePixelRatioF());
    }
}
