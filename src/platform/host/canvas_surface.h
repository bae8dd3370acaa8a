// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <utility>

#include "drawing_surface.h"
#include "layout.h"
#include "ring_canvas.h"
#include "twips.h"

// The drawing area as the painter sees it: the layout's size, and a picture
// of that many logical pixels at a device pixel ratio.
class CanvasSurface : public DrawingSurface {
public:
    explicit CanvasSurface(double devicePixelRatio, PixelAllocator allocator = {})
        : canvas_(twips::toWholePixels(layout::kPictureWidth), twips::toWholePixels(layout::kPictureHeight),
                  devicePixelRatio, layout::kPictureBackColor, std::move(allocator))
    {
    }

    float Width() const override { return static_cast<float>(layout::kPictureWidth); }
    float Height() const override { return static_cast<float>(layout::kPictureHeight); }
    void Circle(float x, float y, float radius, std::int32_t color) override { canvas_.circle(x, y, radius, color); }
    void ClearPicture() override { canvas_.clear(); }

    RingCanvas& canvas() { return canvas_; }

private:
    RingCanvas canvas_;
};
