// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The Qt program's start-up for the tests and the benchmarks.

#include <QByteArray>
#include <QTest>

#include "form_runtime.h"

namespace offscreen {

// Headless unless told otherwise; before the application object.
inline void prefer()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

// Shows the program's window and waits until it is on the screen.
inline bool show(FormRuntime& runtime)
{
    runtime.show();
    return QTest::qWaitForWindowExposed(&runtime.window());
}

}  // namespace offscreen
