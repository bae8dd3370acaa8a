// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <algorithm>

#include "acceptance.h"
#include "fakes.h"
#include "form_host.h"
#include "menus.h"

namespace {

using namespace std::chrono_literals;

// The handler of a menu's item, found by the captions the acceptance table gives.
void (Form1::*item(const std::string& menu, int index))()
{
    const std::string caption = acceptance::words(menu).at(static_cast<std::size_t>(index));
    for (const Menu& m : menuBar()) {
        for (const MenuItem& i : m.items) {
            if (m.caption == menu && i.caption == caption) {
                return i.handler;
            }
        }
    }
    ADD_FAILURE() << "no item " << caption << " under " << menu;
    return &Form1::MenuAccionsEsborra_Click;
}

const std::chrono::milliseconds kFrame{1000 / acceptance::numbers("frames a second").at(0)};

// Form1 on the host, with a binding of the test's own.
class FormHostTest : public ::testing::Test {
protected:
    FormHostTest() { host.load(); }

    long ticks() const { return host.timer().ticksRaised(); }
    bool painting() const { return host.timer().Enabled(); }
    int painted()
    {
        RingCanvas& picture = host.picture();
        const std::uint32_t* pixels = picture.pixels();
        const auto silver = acceptance::rgb(acceptance::text("area colour"));
        return static_cast<int>(std::count_if(pixels, pixels + picture.width() * picture.height(),
                                              [silver](std::uint32_t p) { return (p & 0xFFFFFFu) != silver; }));
    }

    FakeBinding binding;
    FormHost host{binding, 1.0};
};

TEST_F(FormHostTest, TicksCountedOnTheClockRunAtTheWakeUpsTheExactNumberAtEachSpeed)
{
    const std::vector<int> intervals = acceptance::numbers("Velocitat sets");
    for (int speed = 0; speed < 3; ++speed) {
        const int interval = intervals[static_cast<std::size_t>(speed)];
        SCOPED_TRACE(interval);
        host.choose(item("Velocitat", speed));
        host.click();
        ASSERT_EQ(binding.wakeups, kFrame);
        const long before = ticks();
        // Wake-ups that come unevenly, as a busy machine gives them, over 10 s.
        const std::chrono::milliseconds steps[] = {31ms, 40ms, 47ms, 42ms};
        std::chrono::milliseconds elapsed{0};
        long largestBurst = 0;
        for (int i = 0; elapsed < 10s; ++i) {
            const auto step = std::min(steps[i % 4], 10'000ms - elapsed);
            binding.advance(step);
            elapsed += step;
            const long burst = ticks();
            host.wake();
            largestBurst = std::max(largestBurst, ticks() - burst);
        }
        EXPECT_EQ(ticks() - before, 10'000 / interval);
        EXPECT_LE(largestBurst, (47 + interval - 1) / interval);
        host.click();
        EXPECT_FALSE(binding.wakeups) << "stopped, nothing wakes the program";
    }
}

TEST_F(FormHostTest, EveryEventSeesTheDotsDueBeforeItAndNothingRunsOnceEnded)
{
    host.click();
    EXPECT_EQ(ticks(), 0) << "the first tick is due one interval after the click";

    // Ten ticks were due before Molt was chosen, and drew at the thickness
    // before it; the next one draws Molt.
    binding.advance(52ms);
    host.choose(item("Gruix", 2));
    EXPECT_EQ(ticks(), 10);
    EXPECT_EQ(host.form().State().Radi, acceptance::numbers("Gruix sets")[1] + 1);
    binding.advance(3ms);
    host.wake();
    EXPECT_EQ(host.form().State().Radi, acceptance::numbers("Gruix sets")[2] + 1);

    // Esborra clears the dots due before it, and none of them lands after it.
    binding.advance(20ms);
    host.choose(item("Accions", 0));
    EXPECT_EQ(ticks(), 15);
    EXPECT_EQ(painted(), 0);
    host.wake();
    EXPECT_EQ(painted(), 0);

    // A stopping click leaves exactly the dots due up to it.
    binding.advance(14ms);
    host.click();
    EXPECT_EQ(ticks(), 17);
    binding.advance(1s);
    host.wake();
    EXPECT_EQ(ticks(), 17);
    EXPECT_GE(binding.frames.size(), 4u) << "every event and wake-up shows what it drew";

    // Surt: the ticks due before it, then nothing, whatever comes.
    host.click();
    binding.advance(50ms);
    host.choose(item("Accions", 1));
    EXPECT_EQ(ticks(), 27);
    EXPECT_EQ(binding.closes, 1);
    EXPECT_FALSE(binding.wakeups);
    const std::size_t frames = binding.frames.size();
    binding.advance(1s);
    host.wake();
    host.click();
    host.setSeen(false);
    host.setSeen(true);
    host.choose(item("Accions", 0));
    host.closing();
    EXPECT_EQ(ticks(), 27);
    EXPECT_EQ(binding.frames.size(), frames);
    EXPECT_EQ(binding.closes, 1);
    EXPECT_GT(painted(), 0);
}

TEST_F(FormHostTest, EndsFromEveryStateAndClosingRunsOnlyTheTicksDue)
{
    for (int state = 0; state < 3; ++state) {
        FakeBinding b;
        FormHost h(b, 1.0);
        h.load();
        if (state > 0) {
            h.click();  // painting
        }
        if (state > 1) {
            h.setSeen(false);
        }
        h.choose(item("Accions", 1));
        EXPECT_TRUE(h.ended()) << state;
        EXPECT_EQ(b.closes, 1) << state;
        EXPECT_FALSE(b.wakeups) << state;
        EXPECT_FALSE(h.timer().Enabled()) << state;
    }
    // The window closing: the ticks due by then, no more, and the window
    // is the windowing system's to close.
    host.click();
    binding.advance(12ms);
    host.closing();
    EXPECT_EQ(ticks(), 2);
    EXPECT_EQ(binding.closes, 0);
    EXPECT_FALSE(binding.wakeups);
    binding.advance(1s);
    host.wake();
    EXPECT_EQ(ticks(), 2);
}

TEST_F(FormHostTest, AClickIsAPrimaryPressAndReleaseInsideAndThePressThatClosedAMenuOnlyClosedIt)
{
    host.press(Button::Other, 1);
    host.release(Button::Other, true);
    host.press(Button::Primary, 2);
    host.release(Button::Primary, false);  // released off the area
    host.press(Button::Primary, 3);
    host.cancelPress();
    host.release(Button::Primary, true);
    EXPECT_FALSE(painting());
    host.press(Button::Primary, 4);
    host.release(Button::Primary, true);
    EXPECT_TRUE(painting());

    // The menu closed at 10, by a press stamped 10, or a little before
    // where the windowing system says the menu closed late.
    host.menuClosed(10);
    for (EventTime at : {9u, 10u}) {
        host.press(Button::Primary, at);
        host.release(Button::Primary, true);
        EXPECT_TRUE(painting()) << at;
    }
    host.press(Button::Primary, 11);
    host.release(Button::Primary, true);
    EXPECT_FALSE(painting()) << "a press after the menu closed is a click";
    // Time stamps wrap around.
    host.menuClosed(0xFFFFFFF0u);
    host.press(Button::Primary, 5);
    host.release(Button::Primary, true);
    EXPECT_TRUE(painting());
}

TEST_F(FormHostTest, UnseenItWakesOnceASecondShowsNothingAndOnReturnShowsTheWholePicture)
{
    host.click();
    host.setSeen(false);
    EXPECT_EQ(binding.wakeups, FormHost::kUnseenWakeup);
    const std::size_t frames = binding.frames.size();
    // Late wake-ups, as a busy or throttled system gives them, lose no dot.
    for (int i = 0; i < 5; ++i) {
        binding.advance(1030ms);
        host.wake();
    }
    EXPECT_EQ(ticks(), 5 * 1030 / acceptance::numbers("Velocitat sets")[2]);
    EXPECT_EQ(binding.frames.size(), frames) << "a frame while nothing can be seen";

    host.setSeen(true);
    EXPECT_EQ(binding.wakeups, kFrame);
    ASSERT_EQ(binding.frames.size(), frames + 1);
    const std::vector<int> area = acceptance::numbers("area");
    EXPECT_EQ(binding.frames.back(), (std::vector<Box>{{0, 0, area[2], area[3]}}));

    // On another screen's density, the picture is resampled and shown whole.
    host.setDevicePixelRatio(2.0);
    EXPECT_EQ(host.picture().width(), 2 * area[2]);
    EXPECT_EQ(binding.frames.back(), (std::vector<Box>{{0, 0, area[2], area[3]}}));

    // Stopped, nothing wakes the program, seen or not.
    host.click();
    host.setSeen(false);
    host.setSeen(true);
    EXPECT_FALSE(binding.wakeups);
}

TEST_F(FormHostTest, AfterALongStallOnlyABoundedCatchUpRunsThenTicksGoOnFromNow)
{
    host.click();
    binding.advance(1h);  // a suspended laptop
    host.wake();
    EXPECT_EQ(ticks(), TickPacer::kMaxCatchUp / 5ms);
    binding.advance(40ms);
    host.wake();
    EXPECT_EQ(ticks(), TickPacer::kMaxCatchUp / 5ms + 8);
}

TEST(PacedTickTimerTest, AnIntervalOfZeroOrLessNeverWakesUp)
{
    FakeWakeup wakeup;
    int ticks = 0;
    auto now = std::chrono::steady_clock::time_point{};
    PacedTickTimer timer(
        wakeup, [&ticks] { ++ticks; }, [&now] { return now; });
    for (std::int32_t interval : {0, -5}) {
        timer.SetInterval(interval);
        timer.SetEnabled(true);
        now += 1s;
        timer.runDue();
        timer.SetEnabled(false);
    }
    EXPECT_EQ(wakeup.starts, 0);
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(frameInterval(60), kFrame);
    EXPECT_EQ(frameInterval(20), 50ms) << "a slower screen sets a slower pace";
    EXPECT_EQ(frameInterval(0), kFrame);
}

}  // namespace
