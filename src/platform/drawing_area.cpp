#include "drawing_area.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace {

int frameIntervalMs(const QWidget& widget)
{
    const QScreen* screen = widget.screen();
    const qreal hz = screen != nullptr ? screen->refreshRate() : 60.0;
    return std::clamp(static_cast<int>(std::lround(1000.0 / (hz > 0 ? hz : 60.0))), 4, 33);
}

}  // namespace

DrawingArea::DrawingArea(QSize size, std::int32_t background, QWidget* parent)
    : QWidget(parent), canvas_(size, devicePixelRatioF(), RingCanvas::toQColor(background))
{
    setFixedSize(size);
    setAttribute(Qt::WA_StaticContents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    frameTimer_.setSingleShot(true);
    connect(&frameTimer_, &QTimer::timeout, this, &DrawingArea::showFrame);
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
    canvas_.circle(x, y, radius, color);
    scheduleFrame();
}

void DrawingArea::ClearPicture()
{
    canvas_.clear();
    scheduleFrame();
}

void DrawingArea::scheduleFrame()
{
    if (!frameTimer_.isActive()) {
        frameTimer_.start(frameIntervalMs(*this));
    }
}

void DrawingArea::showFrame()
{
    followDevicePixelRatio();
    const QRect dirty = canvas_.takeDirty();
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
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.drawImage(QPointF(0, 0), image);
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
