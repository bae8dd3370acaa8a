// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMainWindow>
#include <QString>
#include <QTimer>
#include <memory>

#include "form_host.h"

class DrawingArea;
class QAction;

// The runtime for Linux: builds Form1's window and menus with Qt from the
// window's layout and menu table, and runs the form on the shared host,
// turning Qt's events into the host's and waking it with a timer.
class FormRuntime : public Binding {
public:
    FormRuntime();
    ~FormRuntime() override;

    // Shows the window, as the windowing system places it.
    void show();

    QMainWindow& window() { return *window_; }
    DrawingArea& picture() { return *picture_; }
    FormHost& host() { return host_; }
    // The wake-up, for the tests to look at.
    const QTimer& wakeup() const { return wakeup_; }
    // The menu item or menu whose control is named so, or nullptr.
    QAction* action(const QString& control) const;

private:
    void buildMenus();
    // What the host asks of the binding.
    void startWakeups(std::chrono::milliseconds every) override;
    void stopWakeups() override;
    void present(std::span<const Box> boxes) override;
    void closeWindow() override;
    double refreshHz() override;

    std::unique_ptr<QMainWindow> window_;
    FormHost host_;
    DrawingArea* picture_ = nullptr;
    QTimer wakeup_;
    // Tells the host when the window closes and whether it can be seen.
    std::unique_ptr<QObject> watcher_;
};
