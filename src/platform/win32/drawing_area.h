// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <windows.h>

#include <functional>

#include "canvas_surface.h"

class AreaAccessible;

// The drawing area: a child window without a border whose picture lives
// in its canvas over a DIB section, so dots survive covering, minimising
// and repainting. A Click is a left-button press and release both inside
// the area; each press of a double click counts, so it toggles twice.
class DrawingArea : public CanvasSurface {
public:
    static void registerClass(HINSTANCE instance);

    // Creates the area inside parent, placed and sized for dpi.
    DrawingArea(HWND parent, HINSTANCE instance, UINT dpi, std::function<void()> onClick);
    ~DrawingArea() override;
    DrawingArea(const DrawingArea&) = delete;
    DrawingArea& operator=(const DrawingArea&) = delete;

    // Puts what was drawn since the last frame on the screen.
    void showFrame();
    // Places and sizes the area for another dpi, resampling the picture.
    void place(UINT dpi);
    // A menu has just closed, with the last message it saw at closedAt: a
    // press on the area still waiting from no later than that was the one
    // that closed it, and only closes it.
    void dropPressThatClosedAMenu(LONG closedAt);

    HWND hwnd() const { return hwnd_; }

private:
    class Dib;

    template <class Owner>
    friend LRESULT CALLBACK windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool accepting() const { return true; }
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onPaint();
    void onButtonUp(LPARAM lParam);
    LRESULT onGetObject(WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    std::function<void()> onClick_;
    AreaAccessible* accessible_ = nullptr;
    bool pressed_ = false;
};
