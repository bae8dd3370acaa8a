// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ring_canvas.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

RingCanvas::RingCanvas(QSize logicalSize, qreal devicePixelRatio, QColor background)
    : logicalSize_(logicalSize), background_(background), image_(blankImage(logicalSize, devicePixelRatio, background))
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

bool RingCanvas::circle(float x, float y, float radius, std::int32_t color)
{
    if (gathering_ && pending_ && pending_->x == x && pending_->y == y && pending_->color == color &&
        radius == pending_->lastRadius + 1.0f) {
        pending_->lastRadius = radius;
        return false;
    }
    finishRun();
    if (gathering_) {
        pending_ = Run{x, y, radius, radius, color};
    } else {
        strokeOutline(x, y, radius, color);
    }
    return true;
}

void RingCanvas::strokeOutline(float x, float y, float radius, std::int32_t color)
{
    const QPointF centre(x / kTwipsPerPixel, y / kTwipsPerPixel);
    const qreal r = radius / kTwipsPerPixel;
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(toQColor(color), kPenWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, r, r);
    markDirty(centre, r + kPenWidth / 2);
}

void RingCanvas::clear()
{
    pending_.reset();
    image_.fill(background_);
    dirty_ = QRect(QPoint(0, 0), logicalSize_);
}

void RingCanvas::setGathering(bool on)
{
    finishRun();
    gathering_ = on;
}

const QImage& RingCanvas::image()
{
    finishRun();
    return image_;
}

QRegion RingCanvas::takeDirty()
{
    const QRegion dirty = dirty_ & QRect(QPoint(0, 0), logicalSize_);
    dirty_ = QRegion();
    return dirty;
}

void RingCanvas::markDirty(QPointF centre, qreal outerRadius)
{
    // A frame holds a handful of dots; should many more pile up before the
    // next one, their bounding box is cheaper than a region of hundreds.
    constexpr int kMaxDirtyRects = 32;
    const qreal reach = outerRadius + 1;
    dirty_ += QRectF(centre.x() - reach, centre.y() - reach, 2 * reach, 2 * reach).toAlignedRect();
    if (dirty_.rectCount() > kMaxDirtyRects) {
        dirty_ = dirty_.boundingRect();
    }
}

void RingCanvas::setDevicePixelRatio(qreal ratio)
{
    if (ratio <= 0 || ratio == image_.devicePixelRatio()) {
        return;
    }
    finishRun();
    QImage resampled = blankImage(logicalSize_, ratio, background_);
    {
        QPainter painter(&resampled);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(QPointF(0, 0), QSizeF(image_.size()) / image_.devicePixelRatio()), image_);
    }
    image_ = std::move(resampled);
    dirty_ = QRect(QPoint(0, 0), logicalSize_);
}

void RingCanvas::finishRun()
{
    if (pending_) {
        paintRun(*pending_);
        pending_.reset();
    }
}

void RingCanvas::paintRun(const Run& run)
{
    // Outlines a fifteenth of a pixel apart, each a pen wide, leave no gap:
    // together they cover the annulus from first - halfPen to last + halfPen.
    // A single outline is the annulus one pen wide around its radius.
    const qreal halfPen = kPenWidth / 2;
    const QPointF centre(run.x / kTwipsPerPixel, run.y / kTwipsPerPixel);
    const qreal outer = run.lastRadius / kTwipsPerPixel + halfPen;
    const qreal inner = run.firstRadius / kTwipsPerPixel - halfPen;
    fillAnnulus(centre, inner, outer, toQColor(run.color).rgb());
    markDirty(centre, outer);
}

void RingCanvas::fillAnnulus(QPointF logicalCentre, qreal logicalInner, qreal logicalOuter, QRgb color)
{
    // Straight into the image's pixels, in device pixels. Each pixel is
    // covered in proportion to how far its centre lies inside the annulus,
    // which gives a smooth edge one pixel wide.
    const qreal ratio = image_.devicePixelRatio();
    const double cx = logicalCentre.x() * ratio;
    const double cy = logicalCentre.y() * ratio;
    const double outer = logicalOuter * ratio;
    const double inner = logicalInner * ratio;
    if (outer <= 0 || outer <= inner) {
        return;
    }
    const double solidOuter = outer - 0.5;                                     // within: fully covered
    const double solidInner = inner + 0.5;                                     // beyond: fully covered
    const double reachSq = (outer + 0.5) * (outer + 0.5);                      // beyond: untouched
    const double hollowSq = inner > 0.5 ? (inner - 0.5) * (inner - 0.5) : -1;  // within: untouched
    const double solidOuterSq = solidOuter > 0 ? solidOuter * solidOuter : -1;
    const double solidInnerSq = solidInner > 0 ? solidInner * solidInner : 0;

    const int left = std::max(0, static_cast<int>(std::floor(cx - outer - 0.5)));
    const int right = std::min(image_.width() - 1, static_cast<int>(std::ceil(cx + outer + 0.5)));
    const int top = std::max(0, static_cast<int>(std::floor(cy - outer - 0.5)));
    const int bottom = std::min(image_.height() - 1, static_cast<int>(std::ceil(cy + outer + 0.5)));

    const int red = qRed(color), green = qGreen(color), blue = qBlue(color);
    const auto blend = [&](QRgb& pixel, double d) {
        const double coverage = std::clamp(outer + 0.5 - d, 0.0, 1.0) - std::clamp(inner + 0.5 - d, 0.0, 1.0);
        if (coverage <= 0) {
            return;
        }
        const int a = static_cast<int>(coverage * 256 + 0.5);
        const QRgb old = pixel;
        pixel = qRgb(qRed(old) + (((red - qRed(old)) * a) >> 8), qGreen(old) + (((green - qGreen(old)) * a) >> 8),
                     qBlue(old) + (((blue - qBlue(old)) * a) >> 8));
    };
    // A disc (every dot) has one solid span per row, filled at once; only
    // its edge pixels are weighed one by one.
    const bool disc = hollowSq < 0 && solidInnerSq <= 0;
    for (int y = top; y <= bottom; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
        const double dy = y + 0.5 - cy;
        int solidLeft = right + 1, solidRight = right;
        if (disc && solidOuterSq > dy * dy) {
            const double half = std::sqrt(solidOuterSq - dy * dy);
            solidLeft = std::max(left, static_cast<int>(std::ceil(cx - half - 0.5)));
            solidRight = std::min(right, static_cast<int>(std::floor(cx + half - 0.5)));
            if (solidLeft <= solidRight) {
                std::fill(line + solidLeft, line + solidRight + 1, color);
            } else {
                solidLeft = right + 1;
                solidRight = right;
            }
        }
        for (int x = left; x <= right; ++x) {
            if (x == solidLeft) {
                x = solidRight;
                continue;
            }
            const double dx = x + 0.5 - cx;
            const double dSq = dx * dx + dy * dy;
            if (dSq >= reachSq || dSq <= hollowSq) {
                continue;
            }
            if (dSq <= solidOuterSq && dSq >= solidInnerSq) {
                line[x] = color;
                continue;
            }
            blend(line[x], std::sqrt(dSq));
        }
    }
}
