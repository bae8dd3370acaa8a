// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QIcon>
#include <csignal>
#include <cstdio>

#include "display_check.h"
#include "form_runtime.h"
#include "messages.h"

int main(int argc, char* argv[])
{
    if (!displayAvailable()) {
        std::fprintf(stderr, "%s\n", kNoDisplayMessage);
        return 1;
    }
    // A frame sends a few kilobytes of dots. Through shared memory, Qt's X11
    // backing store must wait for the X server to have read a region before
    // it paints there again: a round trip, and two more wake-ups, every few
    // frames. Sent over the connection, the pixels need no waiting.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) {
        qputenv("QT_XCB_NO_MITSHM", "1");
    }
    // A write to a display server that has just ended must fail as a
    // broken connection, said in one line, not kill the program with
    // SIGPIPE before it can say so.
    std::signal(SIGPIPE, SIG_IGN);
    installMessageHandler();
    QApplication app(argc, argv);
    installDisplayLossHandler();
    QApplication::setApplicationVersion(QStringLiteral(TACOLINA_VERSION));
    // Names the installed desktop file; on Wayland it is also the window's
    // app id, by which docks and task switchers find the icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(TACOLINA_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/" TACOLINA_APP_ID "-64.png")));
    FormRuntime runtime;
    runtime.show();
    return QApplication::exec();
}
