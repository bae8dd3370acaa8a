// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_events.h"

#include <utility>

FormEvents::FormEvents(Form1& form, PacedTickTimer& timer, std::function<void()> showFrame)
    : form_(form), timer_(timer), showFrame_(std::move(showFrame))
{
}

void FormEvents::deliver(void (Form1::*handler)())
{
    if (ended_) {
        return;
    }
    timer_.runDue();
    if (!ended_) {
        (form_.*handler)();
    }
    showFrame_();
}

void FormEvents::frame()
{
    if (ended_) {
        return;
    }
    timer_.runDue();
    showFrame_();
}

void FormEvents::closing()
{
    if (!ended_) {
        timer_.runDue();
    }
}

void FormEvents::tick()
{
    if (!ended_) {
        form_.Timer1_Timer();
    }
}
