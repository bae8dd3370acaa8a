// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// A rectangle of whole pixels.
struct Box {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Box&) const = default;
};

// Memory for a picture's pixels, one 32-bit 0xFFRRGGBB word each, rows top
// to bottom with no padding. A binding may hand out memory its windowing
// system can show directly (a DIB section, say).
class PixelMemory {
public:
    virtual ~PixelMemory() = default;
    virtual std::uint32_t* pixels() = 0;
};

// Makes the memory for a picture of width x height pixels.
using PixelAllocator = std::function<std::unique_ptr<PixelMemory>(int width, int height)>;

// The picture of the drawing area, free of any toolkit: a buffer of pixels
// at the area's logical size times the device pixel ratio, into which
// circle outlines are drawn.
//
// A dot arrives as up to 101 outlines of one centre and colour, one twip
// apart. Their union is a filled annulus (a disc when the first radius is
// 0), so consecutive rising outlines of one centre and colour are gathered
// into one run and filled at once, antialiased, when anything else is drawn
// or the picture is read. A run of a single outline is the annulus one pen
// wide around it.
class RingCanvas {
public:
    // Outline width, in logical pixels.
    static constexpr double kPenWidth = 1.0;

    // logical size in pixels; background 0x00BBGGRR. Plain heap memory
    // unless an allocator is given.
    RingCanvas(int logicalWidth, int logicalHeight, double devicePixelRatio, std::int32_t background,
               PixelAllocator allocator = {});

    // One circle outline; lengths in twips, color 0x00BBGGRR.
    void circle(float x, float y, float radius, std::int32_t color);
    // Erases every drawing.
    void clear();
    // Draws the run being gathered now rather than when the next one starts.
    void finishRun();

    // The pixels with everything drawn so far (the run being gathered included).
    const std::uint32_t* pixels();
    // The memory the pixels are in, as the allocator made it.
    PixelMemory& memory() { return *memory_; }
    // Size in device pixels.
    int width() const { return width_; }
    int height() const { return height_; }
    int logicalWidth() const { return logicalWidth_; }
    int logicalHeight() const { return logicalHeight_; }
    double devicePixelRatio() const { return ratio_; }

    // The logical boxes drawn into since the last call (none if nothing was);
    // a run still being gathered is not in them until it is finished.
    std::vector<Box> takeDirty();
    // The device pixels a logical box covers at a pixel ratio.
    static Box toDevice(Box logical, double ratio);

    // Moves the picture to another pixel ratio, resampling what is drawn.
    void setDevicePixelRatio(double ratio);

    // 0x00BBGGRR colour value to the buffer's 0xFFRRGGBB pixel.
    static std::uint32_t toPixel(std::int32_t color);

private:
    struct Run {
        float x = 0;
        float y = 0;
        float firstRadius = 0;
        float lastRadius = 0;
        std::int32_t color = 0;
    };

    void allocate(double ratio);
    void fill(std::uint32_t pixel);
    void paintRun(const Run& run);
    void fillAnnulus(double logicalX, double logicalY, double logicalInner, double logicalOuter, std::uint32_t pixel);
    // Notes a circle's bounds, with a pixel more for its antialiased edge.
    void markDirty(double x, double y, double outerRadius);
    void markAllDirty();

    int logicalWidth_;
    int logicalHeight_;
    std::uint32_t background_;
    PixelAllocator allocator_;
    double ratio_ = 1;
    int width_ = 0;
    int height_ = 0;
    std::unique_ptr<PixelMemory> memory_;
    std::optional<Run> pending_;
    // Separate boxes: one box around dots far apart would be most of the area.
    std::vector<Box> dirty_;
};
