// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QWidget>

class FormHost;

// The drawing area: a widget of fixed size that shows the host's picture,
// so dots survive covering, minimising and repainting, and hands the host
// its mouse presses and releases.
class DrawingArea : public QWidget {
    Q_OBJECT

public:
    DrawingArea(FormHost& host, QSize size, QWidget* parent);

    // A copy of the picture as drawn so far, at the device pixel ratio in use.
    QImage picture();
    FormHost& host() { return host_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The picture's pixels as an image, without copying them.
    QImage view();

    FormHost& host_;
};
