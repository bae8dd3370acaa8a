// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Whether the windowing system the program would run on can be reached:
// a Wayland compositor or an X server, as the environment names them, or
// a platform that needs neither (offscreen, for one). Asked before the
// toolkit starts, so that a missing display is a plain message and not an
// abort.
bool displayAvailable();

// The one line printed when no display could be opened.
inline constexpr const char* kNoDisplayMessage =
    "tacolina: no display could be opened; name one in DISPLAY (X11) or WAYLAND_DISPLAY (Wayland)";
