// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Hand-written fakes of the platform interfaces, for the toolkit-free tests.

#include <chrono>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "drawing_surface.h"
#include "form_host.h"
#include "random_source.h"
#include "runtime.h"
#include "tick_pacer.h"
#include "tick_timer.h"

struct CircleCall {
    float x, y, radius;
    std::int32_t color;
};

// Records every call; its size can be changed between ticks.
class RecordingSurface : public DrawingSurface {
public:
    float width = 3855;
    float height = 3615;
    std::vector<CircleCall> circles;
    int clears = 0;

    float Width() const override { return width; }
    float Height() const override { return height; }
    void Circle(float x, float y, float radius, std::int32_t color) override
    {
        circles.push_back({x, y, radius, color});
    }
    void ClearPicture() override
    {
        ++clears;
        circles.clear();
    }
};

// Replays a prepared sequence, in a loop; fails loudly when it has none.
class ScriptedRandom : public RandomSource {
public:
    std::vector<float> sequence;
    std::size_t taken = 0;
    int reseeds = 0;

    ScriptedRandom() = default;
    explicit ScriptedRandom(std::vector<float> values) : sequence(std::move(values)) {}

    float rtcRandomNext() override
    {
        if (sequence.empty()) {
            throw std::logic_error("ScriptedRandom: no numbers prepared");
        }
        return sequence[taken++ % sequence.size()];
    }
    void rtcRandomize() override { ++reseeds; }
};

class FakeTimer : public TickTimer {
public:
    std::int32_t interval = 0;
    bool enabled = false;
    int intervalWrites = 0;

    void SetInterval(std::int32_t milliseconds) override
    {
        ++intervalWrites;
        interval = milliseconds;
    }
    std::int32_t Interval() const override { return interval; }
    void SetEnabled(bool on) override { enabled = on; }
    bool Enabled() const override { return enabled; }
};

class FakeRuntime : public Runtime {
public:
    int ends = 0;
    void End() override { ++ends; }
};

// A frame wake-up that only counts.
class FakeWakeup : public FrameWakeup {
public:
    bool on = false;
    int starts = 0;
    void startWakeups() override
    {
        on = true;
        ++starts;
    }
    void stopWakeups() override { on = false; }
};

// A binding whose clock moves only when told, and which notes what the host asks of it.
class FakeBinding : public Binding {
public:
    TimePoint clock{std::chrono::seconds(1000)};
    // The wake-ups' pace while they are on.
    std::optional<std::chrono::milliseconds> wakeups;
    // The boxes of each frame shown.
    std::vector<std::vector<Box>> frames;
    int closes = 0;

    void advance(std::chrono::nanoseconds by) { clock += by; }
    void startWakeups(std::chrono::milliseconds every) override { wakeups = every; }
    void stopWakeups() override { wakeups.reset(); }
    void present(std::span<const Box> boxes) override { frames.emplace_back(boxes.begin(), boxes.end()); }
    void closeWindow() override { ++closes; }
    TimePoint now() override { return clock; }
};
