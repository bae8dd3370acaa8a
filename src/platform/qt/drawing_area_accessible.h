// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessibleWidget>

class DrawingArea;

// How assistive technology sees the drawing area: a canvas, with its
// accessible name and description, whose one action is the same Click a
// left mouse button gives.
class DrawingAreaAccessible : public QAccessibleWidget {
public:
    explicit DrawingAreaAccessible(DrawingArea* area);

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

    // Makes Qt's accessibility use this interface for every DrawingArea.
    static void install();
};
