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

#include "bench_support.h"
#include "canvas_image.h"
#include "clock_random_source.h"
#include "drawing_area.h"
#include "main_window.h"
#include "paleta.h"
#include "ring_canvas.h"

namespace {

constexpr int kGruixes[] = {10, 50, 100};

void setGruix(Form1& form, int gruix)
{
    switch (gruix) {
    case 10:
        form.MenuGruixPoc_Click();
        break;
    case 50:
        form.MenuGruixNormal_Click();
        break;
    default:
        form.MenuGruixMolt_Click();
        break;
    }
}

// One Timer1_Timer of the program's own Form1 on the program's drawing area.
void BM_Tick(benchmark::State& state)
{
    DrawingArea area(QSize(257, 241), 0xC0C0C0);
    ClockRandomSource random;
    bench::IdleTimer timer;
    bench::NoEnd runtime;
    Form1 form(area, timer, random, runtime);
    form.Form_Load();
    setGruix(form, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        form.Timer1_Timer();
    }
    benchmark::DoNotOptimize(area.picture().constBits());
}
BENCHMARK(BM_Tick)->Arg(10)->Arg(50)->Arg(100);

// The same dot drawn as separate antialiased QPainter outlines.
void BM_RingByRing(benchmark::State& state)
{
    QImage image(257, 241, QImage::Format_RGB32);
    image.fill(QColor(0xC0, 0xC0, 0xC0));
    ClockRandomSource random;
    const int gruix = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const float x = std::floor(random.rtcRandomNext() * 3855.0f);
        const float y = std::floor(random.rtcRandomNext() * 3615.0f);
        const std::int32_t color = Paleta[static_cast<std::size_t>(6 * random.rtcRandomNext())];
        for (int r = 0; r <= gruix; ++r) {
            probe::strokeOutline(image, x, y, static_cast<float>(r), color);
        }
    }
}
BENCHMARK(BM_RingByRing)->Arg(10)->Arg(50)->Arg(100);

// The floor: the dot's disc (radius gruix twips plus half a pixel) written
// straight into the pixels, no antialiasing, no bookkeeping.
void BM_ReferenceFill(benchmark::State& state)
{
    QImage image(257, 241, QImage::Format_RGB32);
    image.fill(QColor(0xC0, 0xC0, 0xC0));
    ClockRandomSource random;
    const double radius = static_cast<double>(state.range(0)) / 15.0 + 0.5;
    for (auto _ : state) {
        const double cx = std::floor(random.rtcRandomNext() * 3855.0f) / 15.0;
        const double cy = std::floor(random.rtcRandomNext() * 3615.0f) / 15.0;
        const QRgb color = RingCanvas::toPixel(Paleta[static_cast<std::size_t>(6 * random.rtcRandomNext())]);
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
BENCHMARK(BM_ReferenceFill)->Arg(10)->Arg(50)->Arg(100);

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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
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
