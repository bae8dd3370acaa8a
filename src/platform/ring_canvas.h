// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <cstdint>
#include <optional>

// The picture of the drawing area: an opaque image at the area's logical size
// times the device pixel ratio, into which circle outlines are drawn.
//
// A dot arrives as up to 101 outlines of one centre and colour, one twip
// apart. Drawn one by one they cost a stroked ellipse each; their union is a
// filled annulus (a disc when the first radius is 0), so consecutive rising
// outlines of one centre and colour are gathered into one run and filled at
// once when anything else is drawn or the picture is read. A run of a single
// outline is still drawn as an outline: the annulus one pen wide around it.
class RingCanvas {
public:
    static constexpr double kTwipsPerPixel = 15.0;
    // Outline width, in logical pixels.
    static constexpr double kPenWidth = 1.0;

    RingCanvas(QSize logicalSize, qreal devicePixelRatio, QColor background);

    // One circle outline; lengths in twips, color 0x00BBGGRR. True when it
    // did not simply extend the run being gathered.
    bool circle(float x, float y, float radius, std::int32_t color);
    // Erases every drawing.
    void clear();

    // Off: every outline is stroked on its own by QPainter, the plain and
    // slow way, kept as the reference the gathered drawing is held to.
    void setGathering(bool on);

    // The picture with everything drawn so far.
    const QImage& image();
    // Draws the run being gathered now rather than when the next one starts.
    void finishRun();
    // The logical areas drawn into since the last call (empty if none); a run
    // still being gathered is not in it until it is finished.
    QRegion takeDirty();

    qreal devicePixelRatio() const { return image_.devicePixelRatio(); }
    // Moves the picture to another pixel ratio, resampling what is drawn.
    void setDevicePixelRatio(qreal ratio);

    static QColor toQColor(std::int32_t color);

private:
    struct Run {
        float x = 0;
        float y = 0;
        float firstRadius = 0;
        float lastRadius = 0;
        std::int32_t color = 0;
    };

    static QImage blankImage(QSize logicalSize, qreal ratio, QColor background);
    void paintRun(const Run& run);
    void strokeOutline(float x, float y, float radius, std::int32_t color);
    void fillAnnulus(QPointF logicalCentre, qreal logicalInner, qreal logicalOuter, QRgb color);
    // Notes a circle's bounds, with a pixel more for its antialiased edge.
    void markDirty(QPointF centre, qreal outerRadius);

    QSize logicalSize_;
    QColor background_;
    QImage image_;
    std::optional<Run> pending_;
    QRegion dirty_;  // separate rectangles: a union's bounding box would be most of the area
    bool gathering_ = true;
};
