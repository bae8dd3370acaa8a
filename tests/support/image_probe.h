// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>

// Pixel checks on pictures, in device pixels.
namespace probe {

inline int countColor(const QImage& image, QColor color)
{
    int count = 0;
    const QRgb wanted = color.rgb();
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            count += (line[x] | 0xFF000000u) == wanted ? 1 : 0;
        }
    }
    return count;
}

inline int countOther(const QImage& image, QColor color)
{
    return image.width() * image.height() - countColor(image, color);
}

inline QColor at(const QImage& image, QPointF logical)
{
    const qreal ratio = image.devicePixelRatio();
    return image.pixelColor(static_cast<int>(logical.x() * ratio), static_cast<int>(logical.y() * ratio));
}

}  // namespace probe
