// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The rasteriser's picture seen through Qt, and QPainter's way of drawing
// the same outlines one by one: the reference the rasteriser is held to.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <cstdint>

#include "acceptance.h"
#include "ring_canvas.h"

namespace probe {

// A copy of the canvas's pixels, at its pixel ratio.
inline QImage image(RingCanvas& canvas)
{
    QImage view(reinterpret_cast<const uchar*>(canvas.pixels()), canvas.width(), canvas.height(),
                static_cast<qsizetype>(canvas.width()) * 4, QImage::Format_RGB32);
    QImage copy = view.copy();
    copy.setDevicePixelRatio(canvas.devicePixelRatio());
    return copy;
}

inline QColor toQColor(std::int32_t color)
{
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

// One antialiased outline a logical pixel wide, lengths in twips, as QPainter strokes it.
inline void strokeOutline(QImage& image, float x, float y, float radius, std::int32_t color)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(toQColor(color), RingCanvas::kPenWidth));
    painter.setBrush(Qt::NoBrush);
    const double perPixel = acceptance::numbers("twips per pixel").at(0);
    painter.drawEllipse(QPointF(x / perPixel, y / perPixel), radius / perPixel, radius / perPixel);
}

}  // namespace probe
