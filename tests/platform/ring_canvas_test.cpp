// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "acceptance.h"
#include "canvas_image.h"
#include "image_probe.h"
#include "ring_canvas.h"

namespace {

// The palette in the order the acceptance table gives it.
const std::vector<std::int32_t> kPalette = acceptance::palette();
const std::int32_t kBlack = kPalette[0], kBlue = kPalette[1], kRed = kPalette[2], kGreen = kPalette[3],
                   kYellow = kPalette[4], kWhite = kPalette[5];

const QColor kSilver(QRgb(acceptance::rgb(acceptance::text("area colour"))));
const std::int32_t kBackground = acceptance::colourValue(acceptance::text("area colour"));
const QSize kArea(acceptance::numbers("area")[2], acceptance::numbers("area")[3]);

RingCanvas canvasAt(double ratio)
{
    return RingCanvas(kArea.width(), kArea.height(), ratio, kBackground);
}

int dirtyArea(const std::vector<Box>& boxes)
{
    int area = 0;
    for (const Box& box : boxes) {
        area += box.width * box.height;
    }
    return area;
}

// One dot as the painter makes it: rings of radius 0..gruix twips.
void dot(RingCanvas& canvas, float x, float y, int gruix, std::int32_t color)
{
    for (int r = 0; r <= gruix; ++r) {
        canvas.circle(x, y, static_cast<float>(r), color);
    }
}

TEST(RingCanvasTest, ColourValuesHoldRedInTheLowestByte)
{
    RingCanvas canvas = canvasAt(1.0);
    dot(canvas, 1500, 1500, 100, 255);
    dot(canvas, 3000, 1500, 100, 16711680);
    dot(canvas, 1500, 3000, 100, kGreen);
    dot(canvas, 3000, 3000, 100, kYellow);
    const QImage image = probe::image(canvas);
    EXPECT_EQ(probe::at(image, {100, 100}), QColor(255, 0, 0));
    EXPECT_EQ(probe::at(image, {200, 100}), QColor(0, 0, 255));
    EXPECT_EQ(probe::at(image, {100, 200}), QColor(0, 255, 0));
    EXPECT_EQ(probe::at(image, {200, 200}), QColor(255, 255, 0));
    EXPECT_EQ(probe::at(image, {150, 150}), kSilver);
}

TEST(RingCanvasTest, DotsHaveTheirSizeAndStayWhereTheyAre)
{
    for (int gruix : {10, 50, 100}) {
        RingCanvas canvas = canvasAt(1.0);
        dot(canvas, 1500, 1500, gruix, kBlue);
        // The rings cover radius 0 .. gruix twips plus half a pen.
        // Antialiasing touches about half a pixel more.
        const double radius = gruix / 15.0 + 0.5 + 0.5;
        const double area = M_PI * radius * radius;
        const int pixels = probe::countOther(probe::image(canvas), kSilver);
        EXPECT_NEAR(pixels, area, area * 0.25 + 3) << gruix;
    }
}

TEST(RingCanvasTest, ASingleCircleIsAnOutlineNotADisc)
{
    RingCanvas canvas = canvasAt(1.0);
    canvas.circle(1507.5, 1507.5, 150, kBlack);  // 10 px around the middle of pixel (100, 100)
    const QImage image = probe::image(canvas);
    EXPECT_EQ(image.pixelColor(100, 100), kSilver);
    EXPECT_EQ(image.pixelColor(95, 100), kSilver);
    EXPECT_LT(image.pixelColor(90, 100).red(), 96);
    EXPECT_LT(image.pixelColor(110, 100).red(), 96);
    EXPECT_LT(image.pixelColor(100, 110).red(), 96);
    // Outlines of other centres or colours are not joined into a run either.
    canvas.circle(3000, 1500, 150, kBlack);
    canvas.circle(3000, 1500, 151, kRed);
    EXPECT_EQ(probe::at(probe::image(canvas), {200.5, 100.5}), kSilver);
}

TEST(RingCanvasTest, ClearingLeavesOnlyTheBackgroundAndReportsTheWholeArea)
{
    RingCanvas canvas = canvasAt(2.0);
    dot(canvas, 1000, 1000, 100, kWhite);
    canvas.circle(2000, 2000, 30, kBlack);  // still gathering when cleared
    canvas.takeDirty();
    canvas.clear();
    EXPECT_EQ(probe::countOther(probe::image(canvas), kSilver), 0);
    EXPECT_EQ(canvas.takeDirty(), (std::vector<Box>{Box{0, 0, kArea.width(), kArea.height()}}));
}

TEST(RingCanvasTest, ReportsOnlyTheDotsBoundsAsDirty)
{
    RingCanvas canvas = canvasAt(1.0);
    canvas.takeDirty();
    dot(canvas, 1500, 750, 100, kRed);  // centre (100, 50) px, radius ~7.2 px
    EXPECT_TRUE(canvas.takeDirty().empty()) << "the dot may still grow";
    canvas.finishRun();
    const std::vector<Box> dirty = canvas.takeDirty();
    ASSERT_EQ(dirty.size(), 1u);
    const QRect box(dirty[0].x, dirty[0].y, dirty[0].width, dirty[0].height);
    EXPECT_TRUE(box.contains(QRect(92, 42, 17, 17)));
    EXPECT_LE(box.width(), 20);
    EXPECT_LE(box.height(), 20);
    EXPECT_TRUE(canvas.takeDirty().empty());
    // The same box in device pixels at 150 %: every pixel it touches.
    EXPECT_EQ(RingCanvas::toDevice(Box{91, 41, 19, 19}, 1.5), (Box{136, 61, 29, 29}));

    // Dots far apart stay apart, not one box around both.
    dot(canvas, 150, 150, 100, kRed);
    dot(canvas, 3700, 3450, 100, kBlue);
    canvas.finishRun();
    EXPECT_LE(dirtyArea(canvas.takeDirty()), 2 * 20 * 20);

    // Hundreds of dots before a frame: one box around them all.
    for (int i = 0; i < 200; ++i) {
        dot(canvas, static_cast<float>(i * 19 % 3855), static_cast<float>(i * 17 % 3615), 10, kBlack);
    }
    canvas.finishRun();
    EXPECT_LE(canvas.takeDirty().size(), 32u);
}

// The gathered fill must look like the outlines drawn one by one: the same
// colour inside every dot, and edges as smooth.
TEST(RingCanvasTest, GatheredRingsDrawThePictureOfRingsDrawnOneByOne)
{
    struct Dot {
        float x, y;
        int gruix;
        std::int32_t color;
    };
    std::mt19937 random(7);
    std::vector<Dot> dots;
    for (int i = 0; i < 300; ++i) {
        dots.push_back({static_cast<float>(random() % 3855), static_cast<float>(random() % 3615),
                        std::array{10, 50, 100}[random() % 3], kPalette[random() % kPalette.size()]});
    }
    for (qreal ratio : {1.0, 2.0}) {
        RingCanvas fast = canvasAt(ratio);
        QImage b = probe::image(fast);
        for (const Dot& d : dots) {
            dot(fast, d.x, d.y, d.gruix, d.color);
            for (int r = 0; r <= d.gruix; ++r) {
                probe::strokeOutline(b, d.x, d.y, static_cast<float>(r), d.color);
            }
        }
        const QImage a = probe::image(fast);
        ASSERT_EQ(a.size(), b.size());

        int inside = 0, insideClose = 0, edge = 0, edgeDiffSum = 0;
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                // The topmost dot that reaches this pixel decides what it shows.
                const QPointF centre = QPointF(x + 0.5, y + 0.5) / ratio;
                double distance = 0, outer = 0;
                bool owned = false;
                for (const Dot& d : dots) {
                    const double r = d.gruix / 15.0 + 0.5;
                    const double dist = std::hypot(centre.x() - d.x / 15.0, centre.y() - d.y / 15.0);
                    if (dist <= r + 1.0 / ratio) {
                        owned = true;
                        distance = dist;
                        outer = r;
                    }
                }
                if (!owned) {
                    continue;
                }
                const QColor pa = a.pixelColor(x, y);
                const QColor pb = b.pixelColor(x, y);
                const int diff = std::max({std::abs(pa.red() - pb.red()), std::abs(pa.green() - pb.green()),
                                           std::abs(pa.blue() - pb.blue())});
                if (distance <= outer - 0.75 / ratio) {
                    ++inside;
                    insideClose += diff <= 16 ? 1 : 0;
                } else {
                    ++edge;
                    edgeDiffSum += diff;
                }
            }
        }
        ASSERT_GT(inside, 1000);
        // The figures, for the README.
        std::printf("scale %.0f: %d of %d pixels inside dots within 16/255; edge pixels differ by %d/255 on average\n",
                    ratio, insideClose, inside, edgeDiffSum / edge);
        EXPECT_GE(insideClose, inside * 99 / 100) << "ratio " << ratio << ": " << insideClose << " of " << inside;
        // Antialiased edges on both sides: on average close, never a staircase
        // of full pixels against background.
        EXPECT_LE(edgeDiffSum / edge, 40) << "ratio " << ratio;
    }
}

TEST(RingCanvasTest, ChangingThePixelRatioKeepsWhatIsDrawn)
{
    RingCanvas canvas = canvasAt(1.0);
    dot(canvas, 1500, 1500, 100, kRed);
    canvas.setDevicePixelRatio(2.0);
    EXPECT_EQ(probe::image(canvas).size(), QSize(514, 482));
    EXPECT_EQ(probe::at(probe::image(canvas), {100, 100}), QColor(255, 0, 0));
    EXPECT_EQ(probe::at(probe::image(canvas), {50, 50}), kSilver);
}

}  // namespace
