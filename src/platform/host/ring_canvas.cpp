// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ring_canvas.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "twips.h"

namespace {

class HeapPixels : public PixelMemory {
public:
    explicit HeapPixels(std::size_t count) : pixels_(count) {}
    std::uint32_t* pixels() override { return pixels_.data(); }

private:
    std::vector<std::uint32_t> pixels_;
};

std::unique_ptr<PixelMemory> heapPixels(int width, int height)
{
    return std::make_unique<HeapPixels>(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
}

int channel(std::uint32_t pixel, int shift)
{
    return static_cast<int>((pixel >> shift) & 0xFFu);
}

std::uint32_t rgb(int red, int green, int blue)
{
    return 0xFF000000u | static_cast<std::uint32_t>(red) << 16 | static_cast<std::uint32_t>(green) << 8 |
           static_cast<std::uint32_t>(blue);
}

}  // namespace

RingCanvas::RingCanvas(int logicalWidth, int logicalHeight, double devicePixelRatio, std::int32_t background,
                       PixelAllocator allocator)
    : logicalWidth_(logicalWidth), logicalHeight_(logicalHeight), background_(toPixel(background)),
      allocator_(allocator ? std::move(allocator) : PixelAllocator(&heapPixels))
{
    allocate(devicePixelRatio > 0 ? devicePixelRatio : 1.0);
    fill(background_);
}

std::uint32_t RingCanvas::toPixel(std::int32_t color)
{
    const auto value = static_cast<std::uint32_t>(color);
    return rgb(channel(value, 0), channel(value, 8), channel(value, 16));
}

void RingCanvas::allocate(double ratio)
{
    // Round up so a fractional ratio never leaves a seam at the right or bottom edge.
    ratio_ = ratio;
    width_ = static_cast<int>(std::ceil(logicalWidth_ * ratio));
    height_ = static_cast<int>(std::ceil(logicalHeight_ * ratio));
    memory_ = allocator_(width_, height_);
}

void RingCanvas::fill(std::uint32_t pixel)
{
    std::fill_n(memory_->pixels(), static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), pixel);
}

void RingCanvas::circle(float x, float y, float radius, std::int32_t color)
{
    if (pending_ && pending_->x == x && pending_->y == y && pending_->color == color &&
        radius == pending_->lastRadius + 1.0f) {
        pending_->lastRadius = radius;
        return;
    }
    finishRun();
    pending_ = Run{x, y, radius, radius, color};
}

void RingCanvas::clear()
{
    pending_.reset();
    fill(background_);
    markAllDirty();
}

const std::uint32_t* RingCanvas::pixels()
{
    finishRun();
    return memory_->pixels();
}

void RingCanvas::finishRun()
{
    if (pending_) {
        paintRun(*pending_);
        pending_.reset();
    }
}

std::vector<Box> RingCanvas::takeDirty()
{
    return std::exchange(dirty_, {});
}

Box RingCanvas::toDevice(Box logical, double ratio)
{
    const int left = static_cast<int>(std::floor(logical.x * ratio));
    const int top = static_cast<int>(std::floor(logical.y * ratio));
    const int right = static_cast<int>(std::ceil((logical.x + logical.width) * ratio));
    const int bottom = static_cast<int>(std::ceil((logical.y + logical.height) * ratio));
    return {left, top, right - left, bottom - top};
}

void RingCanvas::markAllDirty()
{
    dirty_ = {Box{0, 0, logicalWidth_, logicalHeight_}};
}

void RingCanvas::markDirty(double x, double y, double outerRadius)
{
    const double reach = outerRadius + 1;
    const int left = std::max(0, static_cast<int>(std::floor(x - reach)));
    const int top = std::max(0, static_cast<int>(std::floor(y - reach)));
    const int right = std::min(logicalWidth_, static_cast<int>(std::ceil(x + reach)));
    const int bottom = std::min(logicalHeight_, static_cast<int>(std::ceil(y + reach)));
    if (left >= right || top >= bottom) {
        return;
    }
    dirty_.push_back({left, top, right - left, bottom - top});
    // A frame holds a handful of dots; should many more pile up before the
    // next one, their bounding box is cheaper to show than hundreds of boxes.
    constexpr std::size_t kMaxDirtyBoxes = 32;
    if (dirty_.size() > kMaxDirtyBoxes) {
        Box all = dirty_.front();
        for (const Box& box : dirty_) {
            const int r = std::max(all.x + all.width, box.x + box.width);
            const int b = std::max(all.y + all.height, box.y + box.height);
            all.x = std::min(all.x, box.x);
            all.y = std::min(all.y, box.y);
            all.width = r - all.x;
            all.height = b - all.y;
        }
        dirty_ = {all};
    }
}

void RingCanvas::setDevicePixelRatio(double ratio)
{
    if (ratio <= 0 || ratio == ratio_) {
        return;
    }
    finishRun();
    const std::unique_ptr<PixelMemory> old = std::move(memory_);
    const int oldWidth = width_, oldHeight = height_;
    allocate(ratio);
    // Bilinear: each new pixel centre weighs the four old pixels around it.
    const std::uint32_t* from = old->pixels();
    std::uint32_t* to = memory_->pixels();
    const double sx = static_cast<double>(oldWidth) / width_;
    const double sy = static_cast<double>(oldHeight) / height_;
    for (int y = 0; y < height_; ++y) {
        const double fy = std::clamp((y + 0.5) * sy - 0.5, 0.0, oldHeight - 1.0);
        const int y0 = static_cast<int>(fy), y1 = std::min(y0 + 1, oldHeight - 1);
        const double wy = fy - y0;
        for (int x = 0; x < width_; ++x) {
            const double fx = std::clamp((x + 0.5) * sx - 0.5, 0.0, oldWidth - 1.0);
            const int x0 = static_cast<int>(fx), x1 = std::min(x0 + 1, oldWidth - 1);
            const double wx = fx - x0;
            const std::uint32_t p00 = from[y0 * oldWidth + x0], p01 = from[y0 * oldWidth + x1];
            const std::uint32_t p10 = from[y1 * oldWidth + x0], p11 = from[y1 * oldWidth + x1];
            const auto mix = [&](int shift) {
                const double top = channel(p00, shift) * (1 - wx) + channel(p01, shift) * wx;
                const double bottom = channel(p10, shift) * (1 - wx) + channel(p11, shift) * wx;
                return static_cast<int>(std::lround(top * (1 - wy) + bottom * wy));
            };
            to[y * width_ + x] = rgb(mix(16), mix(8), mix(0));
        }
    }
    markAllDirty();
}

void RingCanvas::paintRun(const Run& run)
{
    // Outlines a fifteenth of a pixel apart, each a pen wide, leave no gap:
    // together they cover the annulus from first - halfPen to last + halfPen.
    const double halfPen = kPenWidth / 2;
    const double x = twips::toPixels(run.x);
    const double y = twips::toPixels(run.y);
    const double outer = twips::toPixels(run.lastRadius) + halfPen;
    const double inner = twips::toPixels(run.firstRadius) - halfPen;
    fillAnnulus(x, y, inner, outer, toPixel(run.color));
    markDirty(x, y, outer);
}

void RingCanvas::fillAnnulus(double logicalX, double logicalY, double logicalInner, double logicalOuter,
                             std::uint32_t pixel)
{
    // In device pixels. Each pixel is covered in proportion to how far its
    // centre lies inside the annulus, which gives a smooth edge one pixel wide.
    const double cx = logicalX * ratio_;
    const double cy = logicalY * ratio_;
    const double outer = logicalOuter * ratio_;
    const double inner = logicalInner * ratio_;
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
    const int right = std::min(width_ - 1, static_cast<int>(std::ceil(cx + outer + 0.5)));
    const int top = std::max(0, static_cast<int>(std::floor(cy - outer - 0.5)));
    const int bottom = std::min(height_ - 1, static_cast<int>(std::ceil(cy + outer + 0.5)));

    const int red = channel(pixel, 16), green = channel(pixel, 8), blue = channel(pixel, 0);
    const auto blend = [&](std::uint32_t& target, double d) {
        const double coverage = std::clamp(outer + 0.5 - d, 0.0, 1.0) - std::clamp(inner + 0.5 - d, 0.0, 1.0);
        if (coverage <= 0) {
            return;
        }
        const int a = static_cast<int>(coverage * 256 + 0.5);
        const std::uint32_t old = target;
        const auto towards = [a](int from, int to) { return from + (((to - from) * a) >> 8); };
        target = rgb(towards(channel(old, 16), red), towards(channel(old, 8), green), towards(channel(old, 0), blue));
    };
    // A disc (every dot) has one solid span per row, filled at once; only
    // its edge pixels are weighed one by one.
    const bool disc = hollowSq < 0 && solidInnerSq <= 0;
    std::uint32_t* pixels = memory_->pixels();
    for (int y = top; y <= bottom; ++y) {
        std::uint32_t* line = pixels + static_cast<std::ptrdiff_t>(y) * width_;
        const double dy = y + 0.5 - cy;
        int solidLeft = right + 1, solidRight = right;
        if (disc && solidOuterSq > dy * dy) {
            const double half = std::sqrt(solidOuterSq - dy * dy);
            solidLeft = std::max(left, static_cast<int>(std::ceil(cx - half - 0.5)));
            solidRight = std::min(right, static_cast<int>(std::floor(cx + half - 0.5)));
            if (solidLeft <= solidRight) {
                std::fill(line + solidLeft, line + solidRight + 1, pixel);
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
                line[x] = pixel;
                continue;
            }
            blend(line[x], std::sqrt(dSq));
        }
    }
}
