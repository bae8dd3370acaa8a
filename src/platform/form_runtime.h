// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMainWindow>
#include <QString>
#include <memory>

#include "clock_random_source.h"
#include "main_window.h"
#include "qt_tick_timer.h"
#include "runtime.h"

class DrawingArea;
class QAction;

// Runs Form1: builds its window from the layout and the menu table, raises
// Load once before the window is first shown, and delivers each event to the
// one handler named for it, one at a time, until End or the window closes.
class FormRuntime : public Runtime {
public:
    FormRuntime();
    ~FormRuntime() override;

    // Shows the window, as the windowing system places it.
    void show();
    void End() override;

    QMainWindow& window() { return *window_; }
    DrawingArea& picture() { return *picture_; }
    QtTickTimer& timer() { return timer_; }
    const Form1& form() const { return form_; }
    // The menu item or menu whose control is named so, or nullptr.
    QAction* action(const QString& control) const;

private:
    void buildMenus();
    void deliver(void (Form1::*handler)());

    std::unique_ptr<QMainWindow> window_;
    DrawingArea* picture_ = nullptr;
    ClockRandomSource random_;
    QtTickTimer timer_;
    Form1 form_;
    bool ended_ = false;
};
