// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QWidget>

#include "canvas_surface.h"

// The drawing area: a widget of fixed size that shows the pixels of its
// canvas, so dots survive covering, minimising and repainting.
// A Click is a left-button press and release both inside the area; each
// press of a double click counts, so a double click toggles twice.
class DrawingArea : public QWidget, public CanvasSurface {
    Q_OBJECT

public:
    // size and background are logical pixels and an 0x00BBGGRR colour.
    DrawingArea(QSize size, std::int32_t background, QWidget* parent = nullptr);

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

    bool pressed_ = false;
};
