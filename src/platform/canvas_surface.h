// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <utility>

#include "drawing_surface.h"
#include "ring_canvas.h"

// The drawing area as every binding has it: a DrawingSurface whose picture
// is a RingCanvas, which the binding then shows.
class CanvasSurface : public DrawingSurface {
public:
    float Width() const override { return static_cast<float>(canvas_.logicalWidth() * RingCanvas::kTwipsPerPixel); }
    float Height() const override { return static_cast<float>(canvas_.logicalHeight() * RingCanvas::kTwipsPerPixel); }
    void Circle(float x, float y, float radius, std::int32_t color) override { canvas_.circle(x, y, radius, color); }
    void ClearPicture() override { canvas_.clear(); }

protected:
    explicit CanvasSurface(RingCanvas canvas) : canvas_(std::move(canvas)) {}

    RingCanvas canvas_;
};
