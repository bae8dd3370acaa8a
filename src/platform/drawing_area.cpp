// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "drawing_area.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace {

// New dots reach the screen in frames: no more often than the screen
// refreshes, and at most 25 a second, the pace of broadcast video. Dots pop
// in rather than move, so a faster pace shows nothing more and only costs
// repaints.
constexpr double kMaxFramesPerSecond = 25.0;

int frameIntervalMs(const QWidget& widget)
{
    const QScreen* screen = widget.screen();
    const qreal hz = screen != nullptr && screen->refreshRate() > 0 ? screen->refreshRate() : 60.0;
    return static_cast<int>(std::lround(1000.0 / std::min(hz, kMaxFramesPerSecond)));
}

}  // namespace

DrawingArea::DrawingArea(QSize size, std::int32_t background, QWidget* parent)
    : QWidget(parent), canvas_(size, devicePixelRatioF(), RingCanvas::toQColor(background)),
      frameIntervalMs_(frameIntervalMs(*this))
{
    setFixedSize(size);
    setAttribute(Qt::WA_StaticContents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    backstop_.setSingleShot(true);
    connect(&backstop_, &QTimer::timeout, this, &DrawingArea::showLastDrawing);
}

float DrawingArea::Width() const
{
    return static_cast<float>(width() * RingCanvas::kTwipsPerPixel);
}

float DrawingArea::Height() const
{
    return static_cast<float>(height() * RingCanvas::kTwipsPerPixel);
}

void DrawingArea::Circle(float x, float y, float radius, std::int32_t color)
{
    // The rings that extend a dot change nothing on screen until it is finished.
    if (canvas_.circle(x, y, radius, color)) {
        drawingChanged();
    }
}

void DrawingArea::ClearPicture()
{
    canvas_.clear();
    drawingChanged();
}

void DrawingArea::drawingChanged()
{
    if (!frameClock_.isValid() || frameClock_.hasExpired(frameIntervalMs_)) {
        showFrame();
    } else if (!backstop_.isActive()) {
        backstop_.start(2 * frameIntervalMs_);
    }
}

void DrawingArea::showFrame()
{
    // Only what is finished: the dot being drawn joins the next frame, or
    // the backstop's if none follows.
    backstop_.start(2 * frameIntervalMs_);
    repaintDrawn();
}

void DrawingArea::showLastDrawing()
{
    // No backstop after this one: with nothing new, nothing is left to show.
    canvas_.finishRun();
    repaintDrawn();
}

void DrawingArea::repaintDrawn()
{
    frameClock_.start();
    const QRegion dirty = canvas_.takeDirty();
    if (!dirty.isEmpty()) {
        update(dirty);
    }
}

void DrawingArea::followDevicePixelRatio()
{
    canvas_.setDevicePixelRatio(devicePixelRatioF());
}

void DrawingArea::paintEvent(QPaintEvent* event)
{
    followDevicePixelRatio();
    const QImage& image = canvas_.image();
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
        frameIntervalMs_ = frameIntervalMs(*this);
        followDevicePixelRatio();
        update();
    }
}
