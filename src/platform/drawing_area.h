// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include "drawing_surface.h"
#include "ring_canvas.h"

// The drawing area: a widget of fixed size whose picture lives in a
// RingCanvas, so dots survive covering, minimising and repainting.
// A Click is a left-button press and release both inside the area; each
// press of a double click counts, so a double click toggles twice.
class DrawingArea : public QWidget, public DrawingSurface {
    Q_OBJECT

public:
    // size and background are logical pixels and an 0x00BBGGRR colour.
    DrawingArea(QSize size, std::int32_t background, QWidget* parent = nullptr);

    float Width() const override;
    float Height() const override;
    void Circle(float x, float y, float radius, std::int32_t color) override;
    void ClearPicture() override;

    // The picture as drawn so far, at the device pixel ratio in use.
    const QImage& picture() { return canvas_.image(); }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void drawingChanged();
    void showFrame();
    void showLastDrawing();
    void repaintDrawn();
    void followDevicePixelRatio();

    RingCanvas canvas_;
    // New drawing reaches the screen at most once a frame, however fast the
    // ticks: with the first drawing after a frame's time has passed, so that
    // the repaint shares the tick's wake-up, and at the latest from the
    // backstop timer once drawing stops.
    int frameIntervalMs_;
    QElapsedTimer frameClock_;
    QTimer backstop_;
    bool pressed_ = false;
};
