// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The built program, driven in a real X server as a user would: mouse on the
// drawing area, keyboard in the menus, and the screen read back. The same
// tests drive the Qt program and the Windows one under Wine.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "x_desktop.h"

namespace {

using namespace std::chrono_literals;
using e2e::Rect;
using e2e::Shot;

constexpr std::uint32_t kSilver = 0xC0C0C0;
constexpr std::uint32_t kBlack = 0x000000, kBlue = 0x0000FF, kRed = 0xFF0000, kGreen = 0x00FF00, kYellow = 0xFFFF00,
                        kWhite = 0xFFFFFF;
constexpr std::uint32_t kPalette[] = {kBlack, kBlue, kRed, kGreen, kYellow, kWhite};

// What differs between the programs the tests drive, from the environment:
// the screen's scale for the program (TACOLINA_SCALE), the menu highlight
// behind the chosen item, neither a dot's colour nor a blend of one with the
// area's silver (TACOLINA_MENU_HIGHLIGHT, hex), and whether F10 opens the
// first menu or, as on Windows, only selects the menu bar for Down to open
// it (TACOLINA_F10_SELECTS_BAR).
struct Flavour {
    double scale = 1;
    std::uint32_t highlight = 0x308CC6;
    bool f10SelectsBar = false;

    Flavour()
    {
        if (const char* s = std::getenv("TACOLINA_SCALE")) {
            scale = std::stod(s);
        }
        if (const char* h = std::getenv("TACOLINA_MENU_HIGHLIGHT")) {
            highlight = static_cast<std::uint32_t>(std::stoul(h, nullptr, 16));
        }
        f10SelectsBar = std::getenv("TACOLINA_F10_SELECTS_BAR") != nullptr;
    }
    // A length in logical pixels, in the device pixels the screen shows.
    int px(double logical) const { return static_cast<int>(std::lround(logical * scale)); }
};
const Flavour kFlavour;

// Menus and items by position, as the keyboard reaches them.
enum MenuIndex { kVelocitat = 0, kGruix = 1, kColors = 2, kAccions = 3 };

const char* programPath()
{
    const char* path = std::getenv("TACOLINA_BIN");
    return path != nullptr ? path : "tacolina";
}

// A connected patch of painted pixels: its bounding box and its size.
struct Blob {
    Rect box;
    int pixels = 0;
};

std::vector<Blob> blobs(const Shot& shot)
{
    std::vector<Blob> found;
    std::vector<char> seen(shot.pixels.size(), 0);
    std::vector<std::pair<int, int>> stack;
    for (int y = 0; y < shot.rect.height; ++y) {
        for (int x = 0; x < shot.rect.width; ++x) {
            const auto index = static_cast<std::size_t>(y * shot.rect.width + x);
            if (seen[index] || shot.pixels[index] == kSilver) {
                continue;
            }
            int left = x, right = x, top = y, bottom = y, pixels = 0;
            stack.push_back({x, y});
            seen[index] = 1;
            while (!stack.empty()) {
                const auto [px, py] = stack.back();
                stack.pop_back();
                ++pixels;
                left = std::min(left, px);
                right = std::max(right, px);
                top = std::min(top, py);
                bottom = std::max(bottom, py);
                for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                    const int nx = px + dx, ny = py + dy;
                    if (nx < 0 || ny < 0 || nx >= shot.rect.width || ny >= shot.rect.height) {
                        continue;
                    }
                    const auto n = static_cast<std::size_t>(ny * shot.rect.width + nx);
                    if (!seen[n] && shot.pixels[n] != kSilver) {
                        seen[n] = 1;
                        stack.push_back({nx, ny});
                    }
                }
            }
            found.push_back({{left, top, right - left + 1, bottom - top + 1}, pixels});
        }
    }
    return found;
}

// The blobs that are one whole dot on its own: round (as wide as high),
// not cut by the edge, and filling about pi/4 of their box (overlapping
// dots fill less of theirs). Every blob's size goes into `sizes`.
std::vector<Rect> loneDots(const Shot& dots, std::string& sizes)
{
    std::vector<Rect> lone;
    sizes.clear();
    for (const Blob& blob : blobs(dots)) {
        const Rect& box = blob.box;
        sizes += " " + std::to_string(box.width) + "x" + std::to_string(box.height);
        const double fill = static_cast<double>(blob.pixels) / (box.width * box.height);
        const bool clipped =
            box.x == 0 || box.y == 0 || box.x + box.width == dots.rect.width || box.y + box.height == dots.rect.height;
        if (!clipped && std::abs(box.width - box.height) <= 1 && fill > 0.7) {
            lone.push_back(box);
        }
    }
    return lone;
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        program = std::make_unique<e2e::Program>(programPath());
        // Wine may take a while to start its own services first.
        ASSERT_TRUE(e2e::waitFor([&] { return (window = desktop.findWindow("Tacolina 2.0")).has_value(); }, 60s))
            << "no window titled Tacolina 2.0 appeared";
        // The drawing area is the silver rectangle inside the window.
        ASSERT_TRUE(e2e::waitFor([&] {
            const Rect inside = desktop.geometry(*window);
            const auto bounds = desktop.grab(inside).findSolid(kSilver, kFlavour.px(257), kFlavour.px(241));
            if (!bounds) {
                return false;
            }
            areaInWindow = *bounds;
            return true;
        })) << "the drawing area did not show as a "
            << kFlavour.px(257) << " x " << kFlavour.px(241) << " silver rectangle";
    }

    // Where the area is on the screen now: the window manager may place the
    // window anew when it comes back from being minimised.
    Rect areaRect()
    {
        const Rect inside = desktop.geometry(*window);
        return {inside.x + areaInWindow.x, inside.y + areaInWindow.y, areaInWindow.width, areaInWindow.height};
    }
    Shot area() { return desktop.grab(areaRect()); }
    int painted() { return area().countOther(kSilver); }
    // Clicks the middle of the area, then moves the pointer out of the way
    // so that screen shots show only the picture.
    void clickArea()
    {
        const Rect rect = areaRect();
        desktop.click(rect.x + rect.width / 2, rect.y + rect.height / 2);
        desktop.moveTo(0, 0);
    }

    // Gives the window the keyboard focus as a task bar would. A program
    // still coming back from being minimised may turn the focus down (Wine
    // 10 does); the task bar's next click, once it is back, gives it.
    void focusWindow()
    {
        int polls = 0;
        ASSERT_TRUE(e2e::waitFor([&] {
            if (desktop.hasFocus(*window)) {
                return true;
            }
            if (polls++ % 25 == 0) {
                desktop.activate(*window);
            }
            return false;
        })) << "the window did not get focus";
    }

    // Opens the first menu on its first item from the keyboard.
    void openFirstMenu()
    {
        // Keys go to the focused window; after minimising or covering, the
        // window manager may not have handed focus back yet.
        focusWindow();
        desktop.key(XK_F10);
        if (kFlavour.f10SelectsBar) {
            desktop.key(XK_Down);
        }
        ASSERT_TRUE(e2e::waitFor([&] { return desktop.popup().has_value(); })) << "F10 opened no menu";
    }

    // Each step waits for the menu it opens to show on the screen.
    void choose(MenuIndex menu, int item)
    {
        openFirstMenu();
        std::optional<Rect> open = desktop.popup();
        for (int i = 0; i < menu; ++i) {
            const int left = open->x;
            desktop.key(XK_Right);
            ASSERT_TRUE(e2e::waitFor([&] { return (open = desktop.popup()).has_value() && open->x > left; }));
        }
        for (int i = 0; i < item; ++i) {
            desktop.key(XK_Down);
        }
        // A popup is mapped before it is drawn, and until then the screen
        // shows what lay under it; likewise, once it closes, the screen
        // shows the menu until the window repaints what it covered. A
        // drawn menu is a tenth or more of its highlight colour.
        const auto menuShows = [&] {
            return desktop.grab(*open).count(kFlavour.highlight) * 10 > open->width * open->height;
        };
        ASSERT_TRUE(e2e::waitFor(menuShows)) << "the menu was never drawn";
        desktop.key(XK_Return);
        ASSERT_TRUE(e2e::waitFor([&] { return !desktop.popup(); })) << "the menu stayed open";
        ASSERT_TRUE(e2e::waitFor([&] { return !menuShows(); }))
            << "the window was not repainted where the menu had been";
    }

    // Paints until at least `pixels` are painted, then stops and waits for
    // the picture to settle.
    Shot paint(int pixels)
    {
        clickArea();
        EXPECT_TRUE(e2e::waitFor([&] { return painted() >= pixels; })) << "no dots appeared";
        clickArea();
        return settled();
    }

    Shot settled()
    {
        Shot last = area();
        e2e::waitFor([&] {
            std::this_thread::sleep_for(100ms);
            Shot now = area();
            const bool same = now == last;
            last = std::move(now);
            return same;
        });
        return last;
    }

    e2e::Desktop desktop;
    std::unique_ptr<e2e::Program> program;
    std::optional<Window> window;
    Rect areaInWindow;
};

TEST_F(ProgramTest, OpensEmptyAndAClickPaintsPaletteDotsInsideTheAreaUntilTheNextClick)
{
    const Rect inside = desktop.geometry(*window);
    EXPECT_EQ(inside.width, kFlavour.px(271));
    EXPECT_EQ(areaInWindow.x, kFlavour.px(8));
    EXPECT_EQ(painted(), 0);
    const Shot windowBefore = desktop.grab(inside);

    const Shot dots = paint(20000);
    EXPECT_EQ(settled(), dots) << "dots kept coming after the second click";

    int pure = 0;
    for (std::uint32_t colour : kPalette) {
        const int n = dots.count(colour);
        EXPECT_GT(n, 0) << std::hex << "no pixel of colour " << colour;
        pure += n;
    }
    EXPECT_GT(pure, dots.countOther(kSilver) / 2) << "most painted pixels are palette colours";

    // Outside the area the window looks as it did.
    const Shot windowAfter = desktop.grab(inside);
    for (int y = 0; y < inside.height; ++y) {
        for (int x = 0; x < inside.width; ++x) {
            if (!areaInWindow.contains(x, y)) {
                ASSERT_EQ(windowAfter.at(x, y), windowBefore.at(x, y)) << "at " << x << "," << y;
            }
        }
    }
}

TEST_F(ProgramTest, EsborraClearsAndPocsPaintsOnlyBlackAndBlue)
{
    paint(5000);
    choose(kAccions, 0);
    ASSERT_TRUE(e2e::waitFor([&] { return painted() == 0; })) << "Esborra left dots";

    choose(kColors, 0);
    const Shot dots = paint(20000);
    EXPECT_GT(dots.count(kBlack), 0);
    EXPECT_GT(dots.count(kBlue), 0);
    for (std::uint32_t colour : {kRed, kGreen, kYellow, kWhite}) {
        EXPECT_EQ(dots.count(colour), 0) << std::hex << colour;
    }
}

TEST_F(ProgramTest, MoltPaintsDotsAboutThirteenPixelsAcross)
{
    choose(kGruix, 2);
    choose(kVelocitat, 0);  // slow, so that a few dots stand apart
    // Stopped after the first frame, the area holds a dot or two, which may
    // overlap or be cut by the edge: paint a little more until one stands
    // whole on its own.
    std::vector<Rect> lone;
    std::string sizes;
    ASSERT_TRUE(e2e::waitFor(
        [&] {
            const Shot dots = paint(painted() + 1);
            lone = loneDots(dots, sizes);
            return !lone.empty();
        },
        30s))
        << "no dot stood on its own; blobs:" << sizes;
    // 200 twips across, 13.3 logical pixels, with a soft rim.
    std::printf("lone Molt dots at scale %.2f:", kFlavour.scale);
    for (const Rect& box : lone) {
        std::printf(" %dx%d", box.width, box.height);
    }
    std::printf("\n");
    // Two nearly coinciding dots can pass for one a little wider: every lone
    // dot is at least a dot's width, and the middle one no wider than one.
    std::vector<int> widths;
    for (const Rect& box : lone) {
        EXPECT_GE(box.width, kFlavour.px(13));
        widths.push_back(box.width);
    }
    std::sort(widths.begin(), widths.end());
    EXPECT_LE(widths[widths.size() / 2], kFlavour.px(15) + 1);
}

TEST_F(ProgramTest, DotsSurviveBeingCoveredAndMinimised)
{
    const Shot before = paint(20000);

    const Window cover = desktop.cover(desktop.geometry(*window), 0xFF00FF);
    ASSERT_TRUE(e2e::waitFor([&] { return area().count(0xFF00FF) == areaInWindow.width * areaInWindow.height; }));
    desktop.remove(cover);
    EXPECT_TRUE(e2e::waitFor([&] { return area() == before; })) << "dots lost after being covered";

    desktop.iconify(*window);
    ASSERT_TRUE(e2e::waitFor([&] { return !desktop.findWindow("Tacolina 2.0"); }));
    desktop.activate(*window);
    EXPECT_TRUE(e2e::waitFor([&] { return area() == before; })) << "dots lost after minimising";
}

TEST_F(ProgramTest, SurtEndsTheProgram)
{
    clickArea();
    ASSERT_TRUE(e2e::waitFor([&] { return painted() > 0; }));
    choose(kAccions, 1);
    EXPECT_EQ(program->waitExit(), 0);
}

// Where the tests have a screen reader's client for the program (MSAA, on
// Windows): pressing the area is a click.
TEST_F(ProgramTest, AssistiveTechnologyPressesTheAreaToStartAndStopPainting)
{
    const char* client = std::getenv("TACOLINA_A11Y_CLIENT");
    if (client == nullptr) {
        GTEST_SKIP() << "no accessibility client here; the desktop tests use AT-SPI";
    }
    const auto press = [&] {
        e2e::Program reader(programPath(), {"TACOLINA_EXE=" + std::string(client)});
        return reader.waitExit(60s);
    };
    ASSERT_EQ(press(), 0) << "the area's accessible object is not as it should be";
    ASSERT_TRUE(e2e::waitFor([&] { return painted() > 0; })) << "pressing the area did not start painting";
    ASSERT_EQ(press(), 0);
    const Shot stopped = settled();
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(area(), stopped) << "pressing the area again did not stop painting";
}

TEST_F(ProgramTest, ClosingTheWindowEndsTheProgram)
{
    clickArea();
    ASSERT_TRUE(e2e::waitFor([&] { return painted() > 0; }));
    desktop.key(XK_F4, {XK_Alt_L});
    EXPECT_EQ(program->waitExit(), 0);
}

// Hostile use while painting at Molta with Molt dots: nothing may crash,
// freeze, lose dots or leave a state the program does not have.
class AbuseTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        choose(kGruix, 2);
        clickArea();
        ASSERT_TRUE(e2e::waitFor([&] { return painted() > 5000; }));
        before = area();
    }

    // Painting goes on: the picture keeps changing.
    bool stillPainting()
    {
        const Shot now = area();
        return e2e::waitFor([&] { return area() != now; }, 3s);
    }

    // Stops painting and checks that every pixel painted before the abuse
    // is painted still: later dots may cover it, never erase it. A lone
    // pixel can blend back to exactly the background's grey where a dot's
    // soft edge crosses another colour, so only a pixel whose whole 3x3
    // neighbourhood is background counts as erased.
    void expectEarlierDotsKept()
    {
        clickArea();
        const Shot after = settled();
        const auto background = [&](int x, int y) {
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = std::clamp(x + dx, 0, after.rect.width - 1);
                    const int ny = std::clamp(y + dy, 0, after.rect.height - 1);
                    if (after.at(nx, ny) != kSilver) {
                        return false;
                    }
                }
            }
            return true;
        };
        int lost = 0;
        for (int y = 0; y < before.rect.height; ++y) {
            for (int x = 0; x < before.rect.width; ++x) {
                lost += before.at(x, y) != kSilver && background(x, y) ? 1 : 0;
            }
        }
        EXPECT_EQ(lost, 0) << "pixels of earlier dots went back to the background";
    }

    void expectCleanEnd()
    {
        choose(kAccions, 1);
        EXPECT_EQ(program->waitExit(), 0);
    }

    Shot before;
};

TEST_F(AbuseTest, ThreeHundredRapidClicks)
{
    const Rect rect = areaRect();
    for (int i = 0; i < 300; ++i) {
        desktop.click(rect.x + 20 + i % 200, rect.y + 20 + i % 180);
    }
    desktop.moveTo(0, 0);
    // An even number of clicks: painting as before.
    EXPECT_TRUE(stillPainting());
    expectEarlierDotsKept();
    expectCleanEnd();
}

TEST_F(AbuseTest, ClicksOnTheAreaWhileAMenuIsOpen)
{
    // As elsewhere on the desktop, a click outside an open menu only closes it.
    for (int round = 0; round < 5; ++round) {
        openFirstMenu();
        clickArea();
        ASSERT_TRUE(e2e::waitFor([&] { return !desktop.popup(); })) << "the click left the menu open";
    }
    EXPECT_TRUE(stillPainting()) << "a click that closed a menu also stopped the painting";
    expectEarlierDotsKept();
    expectCleanEnd();
}

TEST_F(AbuseTest, MinimiseAndRestoreFiveTimesAndCoverIt)
{
    for (int round = 0; round < 5; ++round) {
        desktop.iconify(*window);
        ASSERT_TRUE(e2e::waitFor([&] { return !desktop.findWindow("Tacolina 2.0"); }));
        // Restored once it has the focus, the last step in bringing a window back.
        focusWindow();
        ASSERT_TRUE(desktop.findWindow("Tacolina 2.0"));
    }
    for (int round = 0; round < 5; ++round) {
        const Window cover = desktop.cover(desktop.geometry(*window), 0xFF00FF);
        ASSERT_TRUE(e2e::waitFor([&] { return area().count(0xFF00FF) == areaInWindow.width * areaInWindow.height; }));
        desktop.remove(cover);
        ASSERT_TRUE(e2e::waitFor([&] { return area().count(0xFF00FF) == 0; }));
    }
    EXPECT_TRUE(stillPainting());
    expectEarlierDotsKept();
    expectCleanEnd();
}

TEST_F(AbuseTest, EverySettingChosenWhilePainting)
{
    for (MenuIndex menu : {kVelocitat, kGruix, kColors}) {
        for (int item = 0; item < 3; ++item) {
            choose(menu, item);
            ASSERT_TRUE(stillPainting()) << "menu " << menu << " item " << item;
        }
    }
    expectEarlierDotsKept();
    expectCleanEnd();
}

TEST_F(AbuseTest, ClosingTheWindowWhilePainting)
{
    desktop.key(XK_F4, {XK_Alt_L});
    EXPECT_EQ(program->waitExit(), 0);
}

}  // namespace
