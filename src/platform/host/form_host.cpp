// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_host.h"

#include <utility>

FormHost::FormHost(Binding& binding, double devicePixelRatio, PixelAllocator allocator)
    : binding_(binding), surface_(devicePixelRatio, std::move(allocator)),
      random_([this] {
          const auto since = binding_.now().time_since_epoch();
          return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(since).count());
      }),
      timer_(*this, [this] { tick(); }, [this] { return binding_.now(); }),
      form_(surface_, timer_, random_, *this)
{
}

void FormHost::load()
{
    deliver(&Form1::Form_Load);
}

void FormHost::choose(void (Form1::*handler)())
{
    deliver(handler);
}

void FormHost::press(Button button, EventTime at)
{
    if (button != Button::Primary) {
        return;
    }
    // Time stamps wrap around: "no later" is a difference of zero or less.
    const bool closedAMenu = menuClosedAt_ && static_cast<std::int32_t>(at - *menuClosedAt_) <= 0;
    if (!closedAMenu) {
        menuClosedAt_.reset();
    }
    pressed_ = !closedAMenu;
}

void FormHost::release(Button button, bool inside)
{
    if (button == Button::Primary && std::exchange(pressed_, false) && inside) {
        click();
    }
}

void FormHost::cancelPress()
{
    pressed_ = false;
}

void FormHost::click()
{
    deliver(&Form1::Picture1_Click);
}

void FormHost::menuClosed(EventTime at)
{
    menuClosedAt_ = at;
}

void FormHost::deliver(void (Form1::*handler)())
{
    if (ended_) {
        return;
    }
    timer_.runDue();
    (form_.*handler)();
    showFrame();
}

void FormHost::wake()
{
    if (ended_) {
        return;
    }
    timer_.runDue();
    showFrame();
}

void FormHost::tick()
{
    if (!ended_) {
        form_.Timer1_Timer();
    }
}

void FormHost::showFrame()
{
    if (ended_ || !seen_) {
        return;  // what is drawn meanwhile stays marked, and shows on return
    }
    RingCanvas& canvas = surface_.canvas();
    canvas.finishRun();
    const std::vector<Box> dirty = canvas.takeDirty();
    if (!dirty.empty()) {
        binding_.present(dirty);
    }
}

void FormHost::showWholePicture()
{
    RingCanvas& canvas = surface_.canvas();
    canvas.finishRun();
    canvas.takeDirty();
    const Box whole{0, 0, canvas.logicalWidth(), canvas.logicalHeight()};
    binding_.present({&whole, 1});
}

void FormHost::setSeen(bool seen)
{
    if (ended_ || seen == seen_) {
        return;
    }
    timer_.runDue();
    seen_ = seen;
    if (timer_.ticking()) {
        startWakeups();  // at the new pace
    }
    if (seen_) {
        showWholePicture();
    }
}

void FormHost::setDevicePixelRatio(double ratio)
{
    RingCanvas& canvas = surface_.canvas();
    if (ratio <= 0 || ratio == canvas.devicePixelRatio()) {
        return;
    }
    canvas.setDevicePixelRatio(ratio);
    if (seen_ && !ended_) {
        showWholePicture();
    }
}

void FormHost::closing()
{
    if (!ended_) {
        timer_.runDue();
        stopAll();
    }
}

void FormHost::End()
{
    stopAll();
    binding_.closeWindow();
}

void FormHost::stopAll()
{
    ended_ = true;
    timer_.SetEnabled(false);
}

void FormHost::startWakeups()
{
    const auto every = seen_ ? frameInterval(binding_.refreshHz()) : kUnseenWakeup;
    timer_.setWakeupGap(every);
    binding_.startWakeups(every);
}

void FormHost::stopWakeups()
{
    binding_.stopWakeups();
}
