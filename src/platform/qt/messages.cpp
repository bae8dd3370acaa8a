// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "messages.h"

#include <QGuiApplication>
#include <X11/Xlib.h>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

// Once the one line about a lost display is out, nothing more is said:
// whatever else notices on the way out only repeats it.
std::atomic<bool> displayLossSaid{false};

void say(const QByteArray& message)
{
    // Several of Qt's threads may say the same thing at once.
    static std::mutex mutex;
    static QByteArray last;
    const std::lock_guard lock(mutex);
    if (message == last) {
        return;
    }
    last = message;
    std::fprintf(stderr, "tacolina: %s\n", message.constData());
    std::fflush(stderr);
}

bool x11ConnectionBroken()
{
    // Qt speaks before it has a connection too (while it looks for its
    // platform plugin, say), and on platforms that have none.
    const auto* app = qGuiApp;
    const auto* x11 = app != nullptr ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    return connection != nullptr && xcb_connection_has_error(connection) != 0;
}

void onQtMessage(QtMsgType, const QMessageLogContext&, const QString& message)
{
    if (displayLossSaid) {
        return;
    }
    if (x11ConnectionBroken()) {
        displayLossSaid = true;
    }
    say(message.toLocal8Bit());
}

int onXlibIoError(Display*)
{
    if (!displayLossSaid.exchange(true)) {
        say("the connection to the X server broke; it may have ended");
    }
    // Xlib would end the process anyway; nothing of it is usable now.
    _exit(1);
}

}  // namespace

void installMessageHandler()
{
    qInstallMessageHandler(&onQtMessage);
}

void installDisplayLossHandler()
{
    if (qGuiApp->nativeInterface<QNativeInterface::QX11Application>() != nullptr) {
        XSetIOErrorHandler(&onXlibIoError);
    }
}
