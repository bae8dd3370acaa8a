// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "fakes.h"
#include "form_events.h"
#include "main_window.h"

namespace {

using namespace std::chrono_literals;

// Form1 run by FormEvents, with a clock and a frame wake-up of the test's own.
class FormEventsTest : public ::testing::Test {
protected:
    FormEventsTest() { events.deliver(&Form1::Form_Load); }

    std::size_t dots() const { return picture.circles.size(); }

    FakeClock clock;
    FakeWakeup wakeup;
    RecordingSurface picture;
    ScriptedRandom random{{0.25f, 0.5f, 0.5f}};
    FakeRuntime runtime;
    PacedTickTimer timer{wakeup, [this] { events.tick(); }, [this] { return clock.now; }};
    Form1 form{picture, timer, random, runtime};
    int frames = 0;
    FormEvents events{form, timer, [this] { ++frames; }};
};

TEST_F(FormEventsTest, TicksCountedOnTheClockRunAtTheFrameTheExactNumberAtEachSpeed)
{
    for (auto [item, interval] : {std::pair{&Form1::MenuVelocitatMolta_Click, 5},
                                  {&Form1::MenuVelocitatNormal_Click, 15},
                                  {&Form1::MenuVelocitatPoca_Click, 25}}) {
        SCOPED_TRACE(interval);
        events.deliver(item);
        events.deliver(&Form1::Picture1_Click);
        ASSERT_TRUE(wakeup.on);
        picture.circles.clear();
        // Frames that come unevenly, as a busy machine gives them, over 10 s.
        const std::chrono::milliseconds steps[] = {31ms, 40ms, 47ms, 42ms};
        std::chrono::milliseconds elapsed{0};
        long largestBurst = 0;
        for (int i = 0; elapsed < 10s; ++i) {
            const auto step = std::min(steps[i % 4], 10'000ms - elapsed);
            clock.advance(step);
            elapsed += step;
            const std::size_t before = dots();
            events.frame();
            largestBurst = std::max(largestBurst, static_cast<long>((dots() - before) / 51));
        }
        EXPECT_EQ(dots(), static_cast<std::size_t>(10'000 / interval * 51));
        EXPECT_LE(largestBurst, (47 + interval - 1) / interval);
        events.deliver(&Form1::Picture1_Click);
        EXPECT_FALSE(wakeup.on) << "stopped, nothing of the timer runs";
    }
}

TEST_F(FormEventsTest, EveryEventSeesTheDotsDueBeforeItAndNoTickRunsOnceStopped)
{
    events.deliver(&Form1::Picture1_Click);
    EXPECT_EQ(dots(), 0u) << "the first tick is due one interval after the click";

    // Ten ticks of Gruix 50 were due before Molt was chosen; the next are Molt.
    clock.advance(52ms);
    events.deliver(&Form1::MenuGruixMolt_Click);
    EXPECT_EQ(dots(), 10u * 51);
    clock.advance(3ms);
    events.frame();
    EXPECT_EQ(dots(), 10u * 51 + 101);

    // Esborra clears the ticks due before it, and no earlier tick lands after it.
    clock.advance(20ms);
    events.deliver(&Form1::MenuAccionsEsborra_Click);
    EXPECT_EQ(dots(), 0u);
    const int clears = picture.clears;
    events.frame();
    EXPECT_EQ(dots(), 0u);

    // A stopping click leaves exactly the dots due up to it.
    clock.advance(14ms);
    events.deliver(&Form1::Picture1_Click);
    EXPECT_EQ(dots(), 2u * 101);
    EXPECT_FALSE(wakeup.on);
    clock.advance(1s);
    events.frame();
    timer.runDue();
    EXPECT_EQ(dots(), 2u * 101);
    EXPECT_EQ(picture.clears, clears);
    EXPECT_GE(frames, 6) << "every event and wake-up shows a frame";

    // Once the program has ended nothing runs, due ticks included.
    events.deliver(&Form1::Picture1_Click);
    clock.advance(50ms);
    events.end();
    events.frame();
    events.closing();
    events.deliver(&Form1::MenuAccionsEsborra_Click);
    EXPECT_EQ(dots(), 2u * 101);
}

TEST_F(FormEventsTest, AfterALongStallOnlyABoundedCatchUpRunsThenTicksGoOnFromNow)
{
    events.deliver(&Form1::Picture1_Click);
    clock.advance(1h);  // a suspended laptop
    events.frame();
    EXPECT_EQ(dots(), static_cast<std::size_t>(TickPacer::kMaxCatchUp / 5ms * 51));
    picture.circles.clear();
    clock.advance(40ms);
    events.frame();
    EXPECT_EQ(dots(), 8u * 51);
}

TEST(PacedTickTimerTest, AnIntervalOfZeroOrLessNeverWakesUp)
{
    FakeWakeup wakeup;
    int ticks = 0;
    FakeClock clock;
    PacedTickTimer timer(
        wakeup, [&ticks] { ++ticks; }, [&clock] { return clock.now; });
    for (std::int32_t interval : {0, -5}) {
        timer.SetInterval(interval);
        timer.SetEnabled(true);
        clock.advance(1s);
        timer.runDue();
        timer.SetEnabled(false);
    }
    EXPECT_EQ(wakeup.starts, 0);
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(frameInterval(60), 40ms);
    EXPECT_EQ(frameInterval(20), 50ms) << "a slower screen sets a slower pace";
    EXPECT_EQ(frameInterval(0), 40ms);
}

}  // namespace
