// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMainWindow>
#include <QString>
#include <memory>

#include "clock_random_source.h"
#include "form_events.h"
#include "main_window.h"
#include "qt_frame_wakeup.h"
#include "runtime.h"
#include "tick_pacer.h"

class DrawingArea;
class QAction;

// Runs Form1: builds its window from the layout and the menu table, raises
// Load once before the window is first shown, and delivers each event to the
// one handler named for it, one at a time, until End or the window closes.
// While painting it wakes once a frame, runs the ticks that fell due and
// shows the frame; before any other event it runs the ticks due by then.
class FormRuntime : public Runtime {
public:
    FormRuntime();
    ~FormRuntime() override;

    // Shows the window, as the windowing system places it.
    void show();
    void End() override;

    QMainWindow& window() { return *window_; }
    DrawingArea& picture() { return *picture_; }
    PacedTickTimer& timer() { return timer_; }
    const QtFrameWakeup& wakeup() const { return wakeup_; }
    const Form1& form() const { return form_; }
    // The menu item or menu whose control is named so, or nullptr.
    QAction* action(const QString& control) const;

private:
    void buildMenus();

    std::unique_ptr<QMainWindow> window_;
    DrawingArea* picture_ = nullptr;
    ClockRandomSource random_;
    QtFrameWakeup wakeup_;
    PacedTickTimer timer_;
    Form1 form_;
    FormEvents events_;
    // Runs the ticks due before the window closes.
    std::unique_ptr<QObject> closeWatcher_;
};
