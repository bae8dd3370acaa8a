// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A user's view of an X display: find a window, look at the screen, click
// and type through the XTest extension, and start or await a program.

#include <X11/Xlib.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

namespace e2e {

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Rect&) const = default;
    bool contains(int px, int py) const { return px >= x && py >= y && px < x + width && py < y + height; }
};

// What the screen shows in a rectangle, as 0xRRGGBB pixels.
struct Shot {
    Rect rect;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * rect.width + x)]; }
    int count(std::uint32_t rgb) const;
    int countOther(std::uint32_t rgb) const { return static_cast<int>(pixels.size()) - count(rgb); }
    // A solid rectangle of one colour and of this size, in shot coordinates.
    std::optional<Rect> findSolid(std::uint32_t rgb, int width, int height) const;
    bool operator==(const Shot& other) const = default;
};

// Polls a condition until it holds or the time runs out.
bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(10));

class Desktop {
public:
    Desktop();
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    // The mapped top-level window with this title, if any.
    std::optional<Window> findWindow(const std::string& title);
    // The window's inside (without the frame), in screen coordinates.
    Rect geometry(Window window);
    Shot grab(Rect rect);

    void click(int x, int y, unsigned button = 1);
    void moveTo(int x, int y);
    // Presses and releases a key, with modifiers held (e.g. XK_Alt_L).
    void key(KeySym key, std::vector<KeySym> modifiers = {});

    // The open popup menu (a mapped override-redirect window), if any.
    std::optional<Rect> popup();

    // A plain window of one colour over the given rectangle, to cover others.
    Window cover(Rect rect, std::uint32_t rgb);
    void remove(Window window);
    void iconify(Window window);
    void activate(Window window);
    // Whether keyboard input goes to this window or one inside it.
    bool hasFocus(Window window);

    Display* display() { return display_; }

private:
    void sync();
    std::optional<Window> search(Window parent, const std::string& title);

    Display* display_ = nullptr;
    std::vector<Window> covers_;
};

// A program started for a test; killed if still running at the end.
class Program {
public:
    explicit Program(const std::string& path, std::vector<std::string> env = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    pid_t pid() const { return pid_; }
    bool running();
    // Waits for the program to end; its exit status, or nothing on timeout or signal.
    std::optional<int> waitExit(std::chrono::milliseconds timeout = std::chrono::seconds(10));

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

}  // namespace e2e
