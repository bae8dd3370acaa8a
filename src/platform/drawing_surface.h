// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// The drawing area as the painter sees it. Lengths are twips (1/1440 inch).
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    // Outer width of the area, in twips.
    virtual float Width() const = 0;
    // Outer height of the area, in twips.
    virtual float Height() const = 0;
    // One solid, unfilled circle outline one pixel wide, centred on (x, y) of the
    // inner surface; color is 0x00BBGGRR. Clipped to the surface.
    virtual void Circle(float x, float y, float radius, std::int32_t color) = 0;
    // Picture <- none: erases every drawing, leaving the background colour.
    virtual void ClearPicture() = 0;
};
