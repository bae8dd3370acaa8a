// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QWidget>

#include "drawing_surface.h"
#include "ring_canvas.h"

// The drawing area: a widget of fixed size that shows the pixels of a
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

    // Puts what was drawn since the last frame on the screen.
    void showFrame();

    // A copy of the picture as drawn so far, at the device pixel ratio in use.
    QImage picture();

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The canvas's pixels as an image, without copying them.
    QImage view();
    void followDevicePixelRatio();

    RingCanvas canvas_;
    bool pressed_ = false;
};
