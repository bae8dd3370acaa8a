// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

#include "main_window.h"
#include "tick_pacer.h"

// The order in which a runtime hands events to Form1, the same for every
// binding: one at a time; before each event, the ticks that fell due ahead
// of it, so that it sees the dots an on-time timer would have drawn; after
// it, a frame with what they drew. Nothing runs once the program has ended.
class FormEvents {
public:
    // showFrame puts what was drawn since the last frame on the screen.
    FormEvents(Form1& form, PacedTickTimer& timer, std::function<void()> showFrame);

    // An event with a handler: the window's Load, a click on the area, a menu item.
    void deliver(void (Form1::*handler)());
    // The frame wake-up: the ticks due by now, then the frame.
    void frame();
    // The window is closing: the ticks due by now, which is all that may run.
    void closing();

    // Called by End: no handler or tick runs after it.
    void end() { ended_ = true; }
    bool ended() const { return ended_; }

    // The Timer event of one tick, for the timer to raise.
    void tick();

private:
    Form1& form_;
    PacedTickTimer& timer_;
    std::function<void()> showFrame_;
    bool ended_ = false;
};
