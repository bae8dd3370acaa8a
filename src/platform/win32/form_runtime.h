// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "clock_random_source.h"
#include "drawing_area.h"
#include "form_events.h"
#include "main_window.h"
#include "runtime.h"
#include "tick_pacer.h"

// Runs Form1 on Windows: builds its window and menu bar from the layout and
// the menu table, raises Load once before the window is first shown, and
// delivers each event to the one handler named for it, one at a time, until
// End or the window closes. While painting it wakes once a frame, from a
// window timer, to run the ticks that fell due and show the frame.
// The window scales itself to the dpi of the monitor it is on.
class FormRuntime : public Runtime, public FrameWakeup {
public:
    explicit FormRuntime(HINSTANCE instance);
    ~FormRuntime() override;
    FormRuntime(const FormRuntime&) = delete;
    FormRuntime& operator=(const FormRuntime&) = delete;

    // Shows the window where Windows places it.
    void show(int showCommand);
    void End() override;

    void startWakeups() override;
    void stopWakeups() override;

    // For the benchmarks: the events as the runtime delivers them, and the timer.
    FormEvents& events() { return *events_; }
    const PacedTickTimer& timer() const { return timer_; }

private:
    template <class Owner>
    friend LRESULT CALLBACK windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Messages before the form exists go to the system alone.
    bool accepting() const { return events_ != nullptr; }
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    HMENU buildMenus();
    // Sizes the window so that its client area has the layout's size at dpi.
    void fitTo(UINT dpi, const RECT* suggested);

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    // The handler of each menu item, by command id less the first.
    std::vector<void (Form1::*)()> commands_;
    ClockRandomSource random_;
    PacedTickTimer timer_;
    std::unique_ptr<DrawingArea> picture_;
    std::unique_ptr<Form1> form_;
    std::unique_ptr<FormEvents> events_;
};
