// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "x_desktop.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace e2e {

int Shot::count(std::uint32_t rgb) const
{
    int n = 0;
    for (std::uint32_t p : pixels) {
        n += p == rgb ? 1 : 0;
    }
    return n;
}

std::optional<Rect> Shot::findSolid(std::uint32_t rgb, int width, int height) const
{
    const auto run = [&](int x, int y, int dx, int dy) {
        int n = 0;
        while (x < rect.width && y < rect.height && at(x, y) == rgb) {
            ++n;
            x += dx;
            y += dy;
        }
        return n;
    };
    for (int y = 0; y + height <= rect.height; ++y) {
        for (int x = 0; x + width <= rect.width; ++x) {
            const bool corner = at(x, y) == rgb && (x == 0 || at(x - 1, y) != rgb) && (y == 0 || at(x, y - 1) != rgb);
            if (corner && run(x, y, 1, 0) == width && run(x, y, 0, 1) == height &&
                run(x + width - 1, y, 0, 1) == height && run(x, y + height - 1, 1, 0) == width) {
                return Rect{x, y, width, height};
            }
        }
    }
    return std::nullopt;
}

bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

namespace {

// Windows come and go while we look at them: a request about one that has
// just gone fails, and that failure only means it is not there.
int ignoreError(Display*, XErrorEvent*)
{
    return 0;
}

}  // namespace

Desktop::Desktop() : display_(XOpenDisplay(nullptr))
{
    XSetErrorHandler(&ignoreError);
    if (display_ == nullptr) {
        throw std::runtime_error("cannot open the X display; is DISPLAY set?");
    }
    int event, error, major, minor;
    if (!XTestQueryExtension(display_, &event, &error, &major, &minor)) {
        throw std::runtime_error("the X server has no XTest extension");
    }
}

Desktop::~Desktop()
{
    XCloseDisplay(display_);
}

void Desktop::sync()
{
    XSync(display_, False);
}

std::optional<Window> Desktop::search(Window parent, const std::string& title)
{
    Window root, parentOut;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display_, parent, &root, &parentOut, &children, &count)) {
        return std::nullopt;
    }
    std::optional<Window> found;
    for (unsigned i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display_, children[i], &attributes) || attributes.map_state != IsViewable) {
            continue;
        }
        char* name = nullptr;
        if (XFetchName(display_, children[i], &name) && name != nullptr) {
            if (title == name) {
                found = children[i];
            }
            XFree(name);
        }
        if (!found) {
            found = search(children[i], title);
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

std::optional<Window> Desktop::findWindow(const std::string& title)
{
    return search(DefaultRootWindow(display_), title);
}

Rect Desktop::geometry(Window window)
{
    XWindowAttributes attributes;
    XGetWindowAttributes(display_, window, &attributes);
    int x = 0, y = 0;
    Window child;
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
    return {x, y, attributes.width, attributes.height};
}

Shot Desktop::grab(Rect rect)
{
    XImage* image = XGetImage(display_, DefaultRootWindow(display_), rect.x, rect.y, static_cast<unsigned>(rect.width),
                              static_cast<unsigned>(rect.height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        throw std::runtime_error("XGetImage failed");
    }
    Shot shot{rect, {}};
    shot.pixels.reserve(static_cast<std::size_t>(rect.width * rect.height));
    for (int y = 0; y < rect.height; ++y) {
        for (int x = 0; x < rect.width; ++x) {
            shot.pixels.push_back(static_cast<std::uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFFu);
        }
    }
    XDestroyImage(image);
    return shot;
}

void Desktop::moveTo(int x, int y)
{
    XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
    sync();
}

void Desktop::click(int x, int y, unsigned button)
{
    moveTo(x, y);
    XTestFakeButtonEvent(display_, button, True, CurrentTime);
    XTestFakeButtonEvent(display_, button, False, CurrentTime);
    sync();
    // A window manager may hold the pointer while it focuses the window;
    // the click is over once the server reports no button down.
    waitFor([this] {
        Window root, child;
        int rx, ry, wx, wy;
        unsigned mask = 0;
        XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &rx, &ry, &wx, &wy, &mask);
        return (mask & (Button1Mask | Button2Mask | Button3Mask)) == 0;
    });
}

void Desktop::key(KeySym key, std::vector<KeySym> modifiers)
{
    for (KeySym m : modifiers) {
        XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, m), True, CurrentTime);
    }
    XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, key), True, CurrentTime);
    XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, key), False, CurrentTime);
    for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m) {
        XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, *m), False, CurrentTime);
    }
    sync();
}

std::optional<Rect> Desktop::popup()
{
    Window root, parent;
    Window* children = nullptr;
    unsigned count = 0;
    std::optional<Rect> found;
    if (XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count; ++i) {
            XWindowAttributes a;
            // Toolkits keep tiny helper windows off screen; a menu is on it.
            if (XGetWindowAttributes(display_, children[i], &a) && a.map_state == IsViewable && a.override_redirect &&
                a.x >= 0 && a.y >= 0 && a.width > 1 && a.height > 1 &&
                std::find(covers_.begin(), covers_.end(), children[i]) == covers_.end()) {
                found = Rect{a.x, a.y, a.width, a.height};
            }
        }
        XFree(children);
    }
    return found;
}

Window Desktop::cover(Rect rect, std::uint32_t rgb)
{
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;  // no frame, exactly where asked
    attributes.background_pixel = rgb;
    Window window =
        XCreateWindow(display_, DefaultRootWindow(display_), rect.x, rect.y, static_cast<unsigned>(rect.width),
                      static_cast<unsigned>(rect.height), 0, CopyFromParent, InputOutput, CopyFromParent,
                      CWOverrideRedirect | CWBackPixel, &attributes);
    XMapRaised(display_, window);
    sync();
    covers_.push_back(window);
    return window;
}

void Desktop::remove(Window window)
{
    std::erase(covers_, window);
    XDestroyWindow(display_, window);
    sync();
}

void Desktop::iconify(Window window)
{
    XIconifyWindow(display_, window, DefaultScreen(display_));
    sync();
}

void Desktop::activate(Window window)
{
    // Ask the window manager, as a task bar would.
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2;  // from a pager
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, DefaultRootWindow(display_), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XMapRaised(display_, window);
    sync();
}

bool Desktop::hasFocus(Window window)
{
    Window focused = None;
    int revert = 0;
    XGetInputFocus(display_, &focused, &revert);
    while (focused != None && focused != PointerRoot && focused != DefaultRootWindow(display_)) {
        if (focused == window) {
            return true;
        }
        Window root, parent;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display_, focused, &root, &parent, &children, &count)) {
            return false;
        }
        if (children != nullptr) {
            XFree(children);
        }
        focused = parent;
    }
    return false;
}

Program::Program(const std::string& path, std::vector<std::string> env)
{
    // The given variables replace those of the same name.
    std::vector<std::string> environment = env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string_view name(*e, std::strcspn(*e, "="));
        if (std::none_of(env.begin(), env.end(),
                         [&](const std::string& v) { return v.starts_with(name) && v[name.size()] == '='; })) {
            environment.emplace_back(*e);
        }
    }
    std::vector<char*> envp;
    for (std::string& e : environment) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);
    std::string program = path;
    char* argv[] = {program.data(), nullptr};
    if (posix_spawn(&pid_, path.c_str(), nullptr, nullptr, argv, envp.data()) != 0) {
        throw std::runtime_error("cannot start " + path);
    }
}

Program::~Program()
{
    if (running()) {
        kill(pid_, SIGKILL);
        waitExit(std::chrono::seconds(5));
    }
}

bool Program::running()
{
    if (status_) {
        return false;
    }
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        status_ = status;
        return false;
    }
    return true;
}

std::optional<int> Program::waitExit(std::chrono::milliseconds timeout)
{
    waitFor([this] { return !running(); }, timeout);
    if (!status_ || !WIFEXITED(*status_)) {
        return std::nullopt;
    }
    return WEXITSTATUS(*status_);
}

}  // namespace e2e
