// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The browser's binding: FormHost in a WebAssembly reactor. The page's
// script (tacolina.js) calls the exports below with the page's events and
// provides the imports, the binding's side in the browser.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "form_host.h"
#include "layout.h"
#include "menus.h"
#include "twips.h"

#define TACOLINA_IMPORT(name) __attribute__((import_module("tacolina"), import_name(name)))
#define TACOLINA_EXPORT(name) extern "C" __attribute__((export_name(name)))

extern "C" {
TACOLINA_IMPORT("start_wakeups") void jsStartWakeups(std::int32_t milliseconds);
TACOLINA_IMPORT("stop_wakeups") void jsStopWakeups();
// boxes: count boxes of four 32-bit numbers each, x, y, width and height in CSS pixels.
TACOLINA_IMPORT("present") void jsPresent(const std::int32_t* boxes, std::int32_t count);
TACOLINA_IMPORT("close_window") void jsCloseWindow();
}

namespace {

class WebBinding : public Binding {
public:
    void startWakeups(std::chrono::milliseconds every) override
    {
        jsStartWakeups(static_cast<std::int32_t>(every.count()));
    }
    void stopWakeups() override { jsStopWakeups(); }
    void present(std::span<const Box> boxes) override
    {
        flat_.clear();
        for (const Box& box : boxes) {
            flat_.insert(flat_.end(), {box.x, box.y, box.width, box.height});
        }
        jsPresent(flat_.data(), static_cast<std::int32_t>(boxes.size()));
    }
    void closeWindow() override { jsCloseWindow(); }
    // A page is not told its screen's refresh rate: the host's own pace it is.

private:
    std::vector<std::int32_t> flat_;
};

WebBinding binding;
std::optional<FormHost> host;
std::string window;
// A box of the picture as the canvas takes it: its device pixels' place and
// size, then its pixels as R, G, B, A bytes.
std::vector<std::uint32_t> staging;

void appendString(std::string& out, std::string_view text)
{
    out += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
        }
        out += c;
    }
    out += '"';
}

void appendNumber(std::string& out, const char* key, double value)
{
    char text[48];
    std::snprintf(text, sizeof text, "\"%s\":%g", key, value);
    out += text;
}

Button button(std::int32_t which)
{
    return which == 0 ? Button::Primary : Button::Other;
}

}  // namespace

// The window as the page builds it, in JSON: caption, client size and
// drawing area in CSS pixels, the area's colour and accessible text, and
// the menu bar's captions, menus and items in order.
TACOLINA_EXPORT("tacolina_window") const char* tacolinaWindow()
{
    if (!window.empty()) {
        return window.c_str();
    }
    const auto px = [](int length) { return twips::toPixels(length); };
    const auto bgr = static_cast<std::uint32_t>(layout::kPictureBackColor);
    char color[8];
    std::snprintf(color, sizeof color, "#%02x%02x%02x", bgr & 0xFFu, bgr >> 8 & 0xFFu, bgr >> 16 & 0xFFu);

    window = "{\"caption\":";
    appendString(window, layout::kCaption);
    window += ",\"client\":{";
    appendNumber(window, "width", px(layout::kClientWidth));
    window += ',';
    appendNumber(window, "height", px(layout::kClientHeight));
    window += "},\"area\":{";
    appendNumber(window, "left", px(layout::kPictureLeft));
    window += ',';
    appendNumber(window, "top", px(layout::kPictureTop));
    window += ',';
    appendNumber(window, "width", twips::toWholePixels(layout::kPictureWidth));
    window += ',';
    appendNumber(window, "height", twips::toWholePixels(layout::kPictureHeight));
    window += ",\"background\":";
    appendString(window, color);
    window += ",\"name\":";
    appendString(window, layout::kPictureAccessibleName);
    window += ",\"description\":";
    appendString(window, layout::kPictureAccessibleDescription);
    window += "},\"menus\":[";
    for (const Menu& menu : menuBar()) {
        window += &menu == menuBar().data() ? "{\"control\":" : ",{\"control\":";
        appendString(window, menu.control);
        window += ",\"caption\":";
        appendString(window, menu.caption);
        window += ",\"items\":[";
        for (const MenuItem& item : menu.items) {
            window += &item == menu.items.data() ? "{\"control\":" : ",{\"control\":";
            appendString(window, item.control);
            window += ",\"caption\":";
            appendString(window, item.caption);
            window += '}';
        }
        window += "]}";
    }
    window += "]}";
    return window.c_str();
}

// Builds the form at this device pixel ratio and raises Load. Once.
TACOLINA_EXPORT("tacolina_start") void tacolinaStart(double ratio)
{
    if (!host) {
        host.emplace(binding, ratio);
        host->load();
    }
}

TACOLINA_EXPORT("tacolina_choose") void tacolinaChoose(std::int32_t menu, std::int32_t item)
{
    const auto menus = menuBar();
    if (host && menu >= 0 && static_cast<std::size_t>(menu) < menus.size() && item >= 0 &&
        static_cast<std::size_t>(item) < menus[menu].items.size()) {
        host->choose(menus[menu].items[item].handler);
    }
}

// which: 0 for the primary button (or a touch, or a pen's tip), else 1.
TACOLINA_EXPORT("tacolina_press") void tacolinaPress(std::int32_t which, std::uint32_t at)
{
    if (host) {
        host->press(button(which), at);
    }
}

TACOLINA_EXPORT("tacolina_release") void tacolinaRelease(std::int32_t which, std::int32_t inside)
{
    if (host) {
        host->release(button(which), inside != 0);
    }
}

TACOLINA_EXPORT("tacolina_cancel_press") void tacolinaCancelPress()
{
    if (host) {
        host->cancelPress();
    }
}

TACOLINA_EXPORT("tacolina_click") void tacolinaClick()
{
    if (host) {
        host->click();
    }
}

TACOLINA_EXPORT("tacolina_menu_closed") void tacolinaMenuClosed(std::uint32_t at)
{
    if (host) {
        host->menuClosed(at);
    }
}

TACOLINA_EXPORT("tacolina_wake") void tacolinaWake()
{
    if (host) {
        host->wake();
    }
}

TACOLINA_EXPORT("tacolina_seen") void tacolinaSeen(std::int32_t seen)
{
    if (host) {
        host->setSeen(seen != 0);
    }
}

TACOLINA_EXPORT("tacolina_ratio") void tacolinaRatio(double ratio)
{
    if (host) {
        host->setDevicePixelRatio(ratio);
    }
}

TACOLINA_EXPORT("tacolina_closing") void tacolinaClosing()
{
    if (host) {
        host->closing();
    }
}

// How many ticks the timer has raised so far, for the tests and benchmarks.
TACOLINA_EXPORT("tacolina_ticks") std::int32_t tacolinaTicks()
{
    return host ? static_cast<std::int32_t>(host->timer().ticksRaised()) : 0;
}

// The picture's size in device pixels, for the canvas's backing store.
TACOLINA_EXPORT("tacolina_picture_width") std::int32_t tacolinaPictureWidth()
{
    return host ? host->picture().width() : 0;
}

TACOLINA_EXPORT("tacolina_picture_height") std::int32_t tacolinaPictureHeight()
{
    return host ? host->picture().height() : 0;
}

// Copies a box of the picture, given in CSS pixels, into the staging
// buffer: four 32-bit numbers (the device box, clipped to the picture),
// then its pixels as RGBA bytes. Returns where the buffer starts.
TACOLINA_EXPORT("tacolina_copy_box")
const std::uint32_t* tacolinaCopyBox(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height)
{
    if (!host) {
        return nullptr;
    }
    RingCanvas& picture = host->picture();
    const std::uint32_t* pixels = picture.pixels();
    Box box = RingCanvas::toDevice({x, y, width, height}, picture.devicePixelRatio());
    const int right = std::min(box.x + box.width, picture.width());
    const int bottom = std::min(box.y + box.height, picture.height());
    box.x = std::max(box.x, 0);
    box.y = std::max(box.y, 0);
    box.width = std::max(right - box.x, 0);
    box.height = std::max(bottom - box.y, 0);

    staging.resize(4 + static_cast<std::size_t>(box.width) * static_cast<std::size_t>(box.height));
    staging[0] = static_cast<std::uint32_t>(box.x);
    staging[1] = static_cast<std::uint32_t>(box.y);
    staging[2] = static_cast<std::uint32_t>(box.width);
    staging[3] = static_cast<std::uint32_t>(box.height);
    std::uint32_t* out = staging.data() + 4;
    for (int row = box.y; row < bottom; ++row) {
        const std::uint32_t* in = pixels + static_cast<std::size_t>(row) * picture.width();
        for (int column = box.x; column < right; ++column) {
            // 0xAARRGGBB to bytes R, G, B, A: a little-endian 0xAABBGGRR.
            const std::uint32_t p = in[column];
            *out++ = (p & 0xFF00FF00u) | (p >> 16 & 0xFFu) | (p & 0xFFu) << 16;
        }
    }
    return staging.data();
}
