// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Run once per scale factor (QT_SCALE_FACTOR): the layout stays in logical
// pixels while the picture follows the screen's pixel density.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QTest>
#include <cmath>

#include "acceptance.h"
#include "drawing_area.h"
#include "form_runtime.h"
#include "image_probe.h"
#include "offscreen.h"

namespace {

const QColor kSilver(QRgb(acceptance::rgb(acceptance::text("area colour"))));
const std::vector<int> kArea = acceptance::numbers("area");
const std::vector<int> kClient = acceptance::numbers("client");
const double kTwipsPerPixel = acceptance::numbers("twips per pixel").at(0);

qreal scale()
{
    const QByteArray factor = qgetenv("QT_SCALE_FACTOR");
    return factor.isEmpty() ? 1.0 : factor.toDouble();
}

class HiDpiTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(offscreen::show(runtime)); }
    void TearDown() override { QApplication::closeAllWindows(); }

    // One dot, as the painter draws it.
    void dot(float x, float y, int gruix, std::int32_t color)
    {
        for (int r = 0; r <= gruix; ++r) {
            runtime.host().picture().circle(x, y, static_cast<float>(r), color);
        }
    }

    FormRuntime runtime;
};

TEST_F(HiDpiTest, LayoutStaysInLogicalPixelsAndThePictureHasTheScreensDensity)
{
    const qreal s = scale();
    EXPECT_DOUBLE_EQ(runtime.picture().devicePixelRatioF(), s);
    EXPECT_EQ(runtime.window().centralWidget()->size(), QSize(kClient[0], kClient[1]));
    EXPECT_EQ(runtime.picture().geometry(), QRect(kArea[0], kArea[1], kArea[2], kArea[3]));

    const QImage& picture = runtime.picture().picture();
    EXPECT_DOUBLE_EQ(picture.devicePixelRatio(), s);
    EXPECT_EQ(picture.size(),
              QSize(static_cast<int>(std::ceil(kArea[2] * s)), static_cast<int>(std::ceil(kArea[3] * s))));
}

TEST_F(HiDpiTest, ADotCoversTheScaledAreaWithASmoothEdge)
{
    const qreal s = scale();
    dot(1927, 1807, 100, 0xFF0000);  // blue
    const QImage& picture = runtime.picture().picture();
    const int covered = probe::countOther(picture, kSilver);
    // Radius 100 twips plus half a pen: 7.17 logical pixels.
    const double expected = M_PI * std::pow(7.17 * s, 2);
    EXPECT_NEAR(covered, expected, expected * 0.15 + 4 * s);
    const int solid = probe::countColor(picture, Qt::blue);
    const int edge = covered - solid;
    EXPECT_GT(edge, 0) << "no antialiased edge";
    // The edge is a ring about one device pixel wide, not a staircase of full pixels.
    EXPECT_NEAR(edge, 2 * M_PI * 7.17 * s, 2 * M_PI * 7.17 * s * 0.6);
}

TEST_F(HiDpiTest, TheAreaShowsItsPictureToTheLastDevicePixelWithoutSeams)
{
    // Dots on all four corners and the middle, then the area as shown.
    const auto lastX = static_cast<float>(kArea[2] * kTwipsPerPixel - 1);
    const auto lastY = static_cast<float>(kArea[3] * kTwipsPerPixel - 1);
    dot(0, 0, 100, 0x0000FF);
    dot(lastX, 0, 100, 0x0000FF);
    dot(0, lastY, 100, 0x0000FF);
    dot(lastX, lastY, 100, 0x0000FF);
    dot(lastX / 2, lastY / 2, 100, 0x00FF00);
    const QImage shown = runtime.picture().grab().toImage();
    const QImage& picture = runtime.picture().picture();
    ASSERT_GE(picture.width(), shown.width());
    ASSERT_GE(picture.height(), shown.height());
    int differing = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            differing += (shown.pixel(x, y) | 0xFF000000u) != (picture.pixel(x, y) | 0xFF000000u) ? 1 : 0;
        }
    }
    EXPECT_EQ(differing, 0) << "the area shows other pixels than its picture";
    // The last column and row belong to the picture too: red corners, silver between.
    const int right = shown.width() - 1, bottom = shown.height() - 1;
    EXPECT_EQ(shown.pixelColor(right, bottom), Qt::red);
    EXPECT_EQ(shown.pixelColor(0, 0), Qt::red);
    EXPECT_EQ(shown.pixelColor(right, bottom / 2), kSilver);
    EXPECT_EQ(shown.pixelColor(right / 2, bottom), kSilver);
}

}  // namespace
