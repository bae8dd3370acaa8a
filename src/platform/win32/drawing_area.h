// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <windows.h>

#include <span>

#include "form_host.h"

class AreaAccessible;

// The drawing area: a child window without a border that shows the host's
// picture, held in a DIB section so that dots survive covering, minimising
// and repainting, and hands the host its left-button presses and releases.
class DrawingArea {
public:
    static void registerClass(HINSTANCE instance);
    // Memory for the picture that GDI can show as it is.
    static PixelAllocator dibSections();

    // Creates the area inside parent, placed and sized for dpi.
    DrawingArea(HWND parent, HINSTANCE instance, UINT dpi, FormHost& host);
    ~DrawingArea();
    DrawingArea(const DrawingArea&) = delete;
    DrawingArea& operator=(const DrawingArea&) = delete;

    // Repaints these logical boxes of the picture.
    void present(std::span<const Box> boxes);
    // Places and sizes the area for another dpi.
    void place(UINT dpi);

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
    FormHost& host_;
    AreaAccessible* accessible_ = nullptr;
};
