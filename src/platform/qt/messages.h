// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the program says on standard error: Qt's messages, in the program's
// name, and a single line, not a burst, when the display goes away.

// Before the application object: routes Qt's messages through here.
void installMessageHandler();

// After the application object: on X11, ends the process with status 1
// and one line when the connection to the X server breaks, in place of
// Xlib's three.
void installDisplayLossHandler();
