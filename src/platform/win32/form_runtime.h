// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <windows.h>

#include <vector>

#include "drawing_area.h"
#include "form_host.h"

// The runtime for Windows: builds Form1's window and menu bar with the
// Win32 API from the window's layout and menu table, and runs the form on
// the shared host, turning window messages into the host's events and
// waking it with a window timer. The window scales itself to the dpi of
// the monitor it is on.
class FormRuntime : public Binding {
public:
    explicit FormRuntime(HINSTANCE instance);
    ~FormRuntime() override;
    FormRuntime(const FormRuntime&) = delete;
    FormRuntime& operator=(const FormRuntime&) = delete;

    // Shows the window where Windows places it.
    void show(int showCommand);

    // For the benchmarks: the host, as the runtime runs it.
    FormHost& host() { return host_; }

private:
    template <class Owner>
    friend LRESULT CALLBACK windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Messages before the form exists go to the system alone.
    bool accepting() const { return ready_; }
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    HWND createWindow(HINSTANCE instance);
    HMENU buildMenus();
    // Sizes the window so that its client area has the layout's size at dpi.
    void fitTo(UINT dpi, const RECT* suggested);
    // What the host asks of the binding.
    void present(std::span<const Box> boxes) override;
    void closeWindow() override;
    void startWakeups(std::chrono::milliseconds every) override;
    void stopWakeups() override;
    double refreshHz() override;

    // The handler of each menu item, by command id less the first.
    std::vector<void (Form1::*)()> commands_;
    HWND hwnd_ = nullptr;
    FormHost host_;
    DrawingArea area_;
    bool ready_ = false;
};
