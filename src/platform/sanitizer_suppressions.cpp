// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Linked into every program of a sanitizer build, so the suppressions hold
// however the program is started.

extern "C" const char* __lsan_default_suppressions();

extern "C" const char* __lsan_default_suppressions()
{
    // Libraries that keep process-lifetime caches, which leak reports show
    // when the process ends without tearing them down:
    // - libdbus keeps the message buffer of the accessibility bus
    //   connection, which Qt opens at start-up;
    // - Qt's Wayland client keeps proxies of the compositor's objects (and
    //   drops some of its activation tokens) in libwayland-client, and Mesa's
    //   EGL, which it loads to learn what buffers it may share, its driver;
    // - fontconfig keeps its parsed configuration, which is left unfreed
    //   when Qt ends the process because the display went away.
    return "leak:libdbus-1.so\n"
           "leak:libwayland-client.so\n"
           "leak:libEGL_mesa.so\n"
           "leak:libfontconfig.so\n";
}

extern "C" const char* __lsan_default_options();

extern "C" const char* __lsan_default_options()
{
    // A suppressed leak is no news: the program's stderr stays its own.
    return "print_suppressions=0";
}
