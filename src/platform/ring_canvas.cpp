#include "ring_canvas.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <cmath>

RingCanvas::RingCanvas(QSize logicalSize, qreal devicePixelRatio, QColor background)
    : logicalSize_(logicalSize), background_(background),
      image_(blankImage(logicalSize, devicePixelRatio, background))
{
}

QImage RingCanvas::blankImage(QSize logicalSize, qreal ratio, QColor background)
{
    // Round up so a fractional ratio never leaves a seam at the right or bottom edge.
    const QSize pixels(static_cast<int>(std::ceil(logicalSize.width() * ratio)),
                       static_cast<int>(std::ceil(logicalSize.height() * ratio)));
    QImage image(pixels, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(background);
    return image;
}

QColor RingCanvas::toQColor(std::int32_t color)
{
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

void RingCanvas::circle(float x, float y, float radius, std::int32_t color)
{
    if (gathering_ && pending_ && pending_->x == x && pending_->y == y && pending_->color == color &&
        radius == pending_->lastRadius + 1.0f) {
        pending_->lastRadius = radius;
        return;
    }
    flush();
    pending_ = Run{x, y, radius, radius, color};
    if (!gathering_) {
        flush();
    }
}

void RingCanvas::clear()
{
    pending_.reset();
    image_.fill(background_);
    dirty_ = QRectF(QPointF(0, 0), logicalSize_);
}

void RingCanvas::setGathering(bool on)
{
    flush();
    gathering_ = on;
}

const QImage& RingCanvas::image()
{
    flush();
    return image_;
}

QRect RingCanvas::takeDirty()
{
    flush();
    const QRect dirty = dirty_.toAlignedRect() & QRect(QPoint(0, 0), logicalSize_);
    dirty_ = QRectF();
    return dirty;
}

void RingCanvas::setDevicePixelRatio(qreal ratio)
{
    if (ratio <= 0 || ratio == image_.devicePixelRatio()) {
        return;
    }
    flush();
    QImage resampled = blankImage(logicalSize_, ratio, background_);
    {
        QPainter painter(&resampled);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(QPointF(0, 0), QSizeF(image_.size()) / image_.devicePixelRatio()), image_);
    }
    image_ = std::move(resampled);
    dirty_ = QRectF(QPointF(0, 0), logicalSize_);
}

void RingCanvas::flush()
{
    if (pending_) {
        paintRun(*pending_);
        pending_.reset();
    }
}

void RingCanvas::paintRun(const Run& run)
{
    const QPointF centre(run.x / kTwipsPerPixel, run.y / kTwipsPerPixel);
    const qreal first = run.firstRadius / kTwipsPerPixel;
    const qreal last = run.lastRadius / kTwipsPerPixel;
    const QColor color = toQColor(run.color);
    const qreal halfPen = kPenWidth / 2;

    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing);
    if (first == last) {
        painter.setPen(QPen(color, kPenWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centre, first, first);
    } else {
        // Outlines a fifteenth of a pixel apart, each a pen wide, leave no gap:
        // together they cover the annulus from first - halfPen to last + halfPen.
        const qreal outer = last + halfPen;
        const qreal inner = first - halfPen;
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        if (inner <= 0) {
            painter.drawEllipse(centre, outer, outer);
        } else {
            QPainterPath annulus;
            annulus.setFillRule(Qt::OddEvenFill);
            annulus.addEllipse(centre, outer, outer);
            annulus.addEllipse(centre, inner, inner);
            painter.drawPath(annulus);
        }
    }
    const qreal reach = last + halfPen + 1;  // one more pixel for the antialiased edge
    dirty_ |= QRectF(centre.x() - reach, centre.y() - reach, 2 * reach, 2 * reach);
}
