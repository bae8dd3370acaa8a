// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "display_check.h"

#include <cstdarg>
#include <cstdlib>
#include <string_view>
#include <wayland-client.h>
#include <xcb/xcb.h>

namespace {

void quiet(const char*, va_list) {}

bool waylandReachable()
{
    // Its complaints would add lines to the one message.
    wl_log_set_handler_client(&quiet);
    // The same look-up the toolkit makes: WAYLAND_DISPLAY, WAYLAND_SOCKET
    // or the default socket in XDG_RUNTIME_DIR.
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        return false;
    }
    wl_display_disconnect(display);
    return true;
}

bool xReachable()
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool reached = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return reached;
}

}  // namespace

bool displayAvailable()
{
    const char* chosen = std::getenv("QT_QPA_PLATFORM");
    const std::string_view platform = chosen != nullptr ? chosen : "";
    const bool wayland = platform.empty() || platform.find("wayland") != std::string_view::npos;
    const bool x11 = platform.empty() || platform.find("xcb") != std::string_view::npos;
    if (!wayland && !x11) {
        return true;
    }
    return (wayland && waylandReachable()) || (x11 && xReachable());
}
