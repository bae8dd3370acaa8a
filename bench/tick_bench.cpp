// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Cost of one tick through the real drawing area, against the least work any
// drawing must do: filling the dot's disc straight into the image's pixels.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>

#include "acceptance.h"
#include "canvas_image.h"
#include "canvas_surface.h"
#include "clock_random_source.h"
#include "fakes.h"
#include "main_window.h"
#include "offscreen.h"

namespace {

const std::vector<int> kGruixes = acceptance::numbers("Gruix sets");
const std::vector<int> kArea = acceptance::numbers("area");
const int kTwipsPerPixel = acceptance::numbers("twips per pixel").at(0);
const QColor kSilver(QRgb(acceptance::rgb(acceptance::text("area colour"))));
const std::vector<std::int32_t> kPalette = acceptance::palette();

// A random dot's centre in twips and a palette colour.
struct RandomDot {
    float x, y;
    std::int32_t color;
    explicit RandomDot(ClockRandomSource& random)
        : x(std::floor(random.rtcRandomNext() * static_cast<float>(kArea[2] * kTwipsPerPixel))),
          y(std::floor(random.rtcRandomNext() * static_cast<float>(kArea[3] * kTwipsPerPixel))),
          color(kPalette[static_cast<std::size_t>(6 * random.rtcRandomNext())])
    {
    }
};

// One Timer1_Timer of the program's own Form1 on the program's picture.
void BM_Tick(benchmark::State& state)
{
    CanvasSurface area(1.0);
    ClockRandomSource random;
    FakeTimer timer;
    FakeRuntime runtime;
    Form1 form(area, timer, random, runtime);
    form.Form_Load();
    const int gruix = static_cast<int>(state.range(0));
    form.MenuGruixMolt_Click();
    if (gruix == kGruixes[0]) {
        form.MenuGruixPoc_Click();
    } else if (gruix == kGruixes[1]) {
        form.MenuGruixNormal_Click();
    }
    for (auto _ : state) {
        form.Timer1_Timer();
    }
    benchmark::DoNotOptimize(area.canvas().pixels());
}
BENCHMARK(BM_Tick)->Arg(kGruixes[0])->Arg(kGruixes[1])->Arg(kGruixes[2]);

// The same dot drawn as separate antialiased QPainter outlines.
void BM_RingByRing(benchmark::State& state)
{
    QImage image(kArea[2], kArea[3], QImage::Format_RGB32);
    image.fill(kSilver);
    ClockRandomSource random;
    const int gruix = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const RandomDot dot(random);
        for (int r = 0; r <= gruix; ++r) {
            probe::strokeOutline(image, dot.x, dot.y, static_cast<float>(r), dot.color);
        }
    }
}
BENCHMARK(BM_RingByRing)->Arg(kGruixes[0])->Arg(kGruixes[1])->Arg(kGruixes[2]);

// The floor: the dot's disc (radius gruix twips plus half a pixel) written
// straight into the pixels, no antialiasing, no bookkeeping.
void BM_ReferenceFill(benchmark::State& state)
{
    QImage image(kArea[2], kArea[3], QImage::Format_RGB32);
    image.fill(kSilver);
    ClockRandomSource random;
    const double radius = static_cast<double>(state.range(0)) / kTwipsPerPixel + 0.5;
    for (auto _ : state) {
        const RandomDot dot(random);
        const double cx = dot.x / kTwipsPerPixel;
        const double cy = dot.y / kTwipsPerPixel;
        const QRgb color = RingCanvas::toPixel(dot.color);
        const int top = std::max(0, static_cast<int>(cy - radius));
        const int bottom = std::min(image.height() - 1, static_cast<int>(cy + radius));
        const int left = std::max(0, static_cast<int>(cx - radius));
        const int right = std::min(image.width() - 1, static_cast<int>(cx + radius));
        for (int y = top; y <= bottom; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            const double dy = y + 0.5 - cy;
            for (int x = left; x <= right; ++x) {
                const double dx = x + 0.5 - cx;
                if (dx * dx + dy * dy <= radius * radius) {
                    line[x] = color;
                }
            }
        }
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(BM_ReferenceFill)->Arg(kGruixes[0])->Arg(kGruixes[1])->Arg(kGruixes[2]);

// Whether a run stopped with an error: Google Benchmark 1.7 (Debian 12) says
// so in error_occurred, 1.8 and later (Debian 13) in skipped.
template <typename R> bool failed(const R& run)
{
    if constexpr (requires { run.error_occurred; }) {
        return run.error_occurred;
    } else {
        return static_cast<bool>(run.skipped);
    }
}

// Prints the usual table, and keeps each benchmark's time per iteration.
class Recorder : public benchmark::ConsoleReporter {
public:
    Recorder() : ConsoleReporter(OO_Tabular) {}

    std::map<std::string, double> nanoseconds;

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !failed(run)) {
                nanoseconds[run.benchmark_name()] = run.GetAdjustedCPUTime();
            }
        }
    }
};

}  // namespace

int main(int argc, char* argv[])
{
    offscreen::prefer();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Recorder recorder;
    benchmark::RunSpecifiedBenchmarks(&recorder);

    std::printf("\n%-8s %14s %18s %16s %10s\n", "Gruix", "tick (us)", "ring by ring (us)", "reference (us)",
                "tick/ref");
    for (int gruix : kGruixes) {
        const std::string arg = "/" + std::to_string(gruix);
        const double tick = recorder.nanoseconds["BM_Tick" + arg] / 1000;
        const double rings = recorder.nanoseconds["BM_RingByRing" + arg] / 1000;
        const double reference = recorder.nanoseconds["BM_ReferenceFill" + arg] / 1000;
        std::printf("%-8d %14.3f %18.3f %16.3f %10.2f\n", gruix, tick, rings, reference,
                    reference > 0 ? tick / reference : 0.0);
    }
    benchmark::Shutdown();
    return 0;
}
