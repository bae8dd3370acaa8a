// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>

#include "canvas_surface.h"
#include "clock_random_source.h"
#include "main_window.h"
#include "runtime.h"
#include "tick_pacer.h"

// What a binding does for the host: the windowing system's side of running
// the form. The host calls it from within its own calls only.
class Binding {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    virtual ~Binding() = default;

    // Calls FormHost::wake every `every` until stopWakeups; called again
    // while on, it changes the pace.
    virtual void startWakeups(std::chrono::milliseconds every) = 0;
    virtual void stopWakeups() = 0;
    // Puts these boxes of the picture, in logical pixels, on the screen.
    virtual void present(std::span<const Box> boxes) = 0;
    // End: takes the window away and ends the event loop. Called once.
    virtual void closeWindow() = 0;
    // The refresh rate of the window's screen in Hz; zero when not known.
    virtual double refreshHz() { return 0; }
    // The steady clock that paces the ticks and seeds the random numbers.
    virtual TimePoint now() { return std::chrono::steady_clock::now(); }
};

// A binding's time stamp of an input event, in milliseconds; it may wrap around.
using EventTime = std::uint32_t;

enum class Button { Primary, Other };

// Runs Form1 for a binding, the same on every windowing system. It holds
// the random source, the paced timer, the picture and the form, and hands
// the form its events in one order:
// - one at a time, each to the one handler named for it;
// - before each event, the ticks that fell due ahead of it, so that it sees
//   the dots an on-time timer would have drawn; after it, a frame with what
//   they drew;
// - while painting, a wake-up once a frame runs the ticks due and shows
//   them; while the window cannot be seen, about once a second, showing
//   nothing until it can be seen again, when the whole picture shows;
//   while stopped, no wake-up at all;
// - nothing at all once the program has ended.
// A click on the area is a primary press and release both inside it; the
// press that closed a menu only closed it.
class FormHost : private Runtime, private FrameWakeup {
public:
    // How often the ticks are run while the window cannot be seen.
    static constexpr std::chrono::milliseconds kUnseenWakeup{1000};

    // The picture's pixels come from allocator (plain memory if none).
    FormHost(Binding& binding, double devicePixelRatio, PixelAllocator allocator = {});
    FormHost(const FormHost&) = delete;
    FormHost& operator=(const FormHost&) = delete;

    // Raises Load: once, when the window is built and before it is first shown.
    void load();
    // A menu item chosen.
    void choose(void (Form1::*handler)());
    // A mouse button or pointer pressed on the area, and released anywhere.
    void press(Button button, EventTime at);
    void release(Button button, bool inside);
    // The press in progress will not end in a click (capture lost, pointer cancelled).
    void cancelPress();
    // The area's click itself, as assistive technology or the keyboard give it.
    void click();
    // A menu closed: a press on the area no later than `at` was the one that closed it.
    void menuClosed(EventTime at);
    // The wake-up.
    void wake();
    // The window is closing: the ticks due by now run, then nothing more.
    void closing();
    // Whether the window can be seen (not minimised, not hidden).
    void setSeen(bool seen);
    // The window moved to a screen of another pixel density.
    void setDevicePixelRatio(double ratio);

    RingCanvas& picture() { return surface_.canvas(); }
    const Form1& form() const { return form_; }
    const PacedTickTimer& timer() const { return timer_; }
    bool ended() const { return ended_; }

private:
    void End() override;
    void startWakeups() override;
    void stopWakeups() override;

    void deliver(void (Form1::*handler)());
    void tick();
    void showFrame();
    void showWholePicture();
    void stopAll();

    Binding& binding_;
    CanvasSurface surface_;
    ClockRandomSource random_;
    PacedTickTimer timer_;
    Form1 form_;
    bool seen_ = true;
    bool ended_ = false;
    bool pressed_ = false;
    std::optional<EventTime> menuClosedAt_;
};
