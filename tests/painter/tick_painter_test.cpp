// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "acceptance.h"
#include "fakes.h"
#include "painter_state.h"
#include "start_up.h"
#include "tick_painter.h"

namespace {

// The palette in the order the acceptance table gives it.
const std::vector<std::int32_t> kPalette = acceptance::palette();
const std::int32_t kBlack = kPalette[0], kBlue = kPalette[1], kRed = kPalette[2], kGreen = kPalette[3],
                   kYellow = kPalette[4], kWhite = kPalette[5];

const float kLargestBelowOne = std::nextafter(1.0f, 0.0f);

class TickPainterTest : public ::testing::Test {
protected:
    void SetUp() override { startUp(state, surface); }

    void tick(std::vector<float> numbers)
    {
        random = ScriptedRandom(std::move(numbers));
        surface.circles.clear();
        paintTick(state, surface, random);
    }

    PainterState state;
    RecordingSurface surface;
    ScriptedRandom random;
};

TEST(StartUpTest, FreshStateIsZeroedAndStartUpSetsTheStartSettingsAndClears)
{
    PainterState state;
    EXPECT_EQ(state.Gruix, 0);
    EXPECT_EQ(state.NombreColors, 0);
    EXPECT_EQ(state.Velocitat, 0);

    RecordingSurface surface;
    startUp(state, surface);
    EXPECT_EQ(state.Gruix, 50);
    EXPECT_EQ(state.NombreColors, 6);
    EXPECT_EQ(state.Velocitat, 5);
    EXPECT_EQ(surface.clears, 1);
    EXPECT_TRUE(surface.circles.empty());
    // Working values, the colour among them, stay zero (black) until a tick.
    EXPECT_EQ(state.PosX, 0);
    EXPECT_EQ(state.PosY, 0);
    EXPECT_EQ(state.Radi, 0);
    EXPECT_EQ(state.IndexColor, 0);
    EXPECT_EQ(state.ColorActual, 0);
}

TEST_F(TickPainterTest, TakesThreeNumbersInTheOrderXYColour)
{
    tick({0.25f, 0.5f, 0.5f, 0.99f});
    EXPECT_EQ(random.taken, 3u);
    EXPECT_EQ(state.PosX, 963);   // floor(0.25 * 3855)
    EXPECT_EQ(state.PosY, 1807);  // floor(0.5 * 3615)
    EXPECT_EQ(state.IndexColor, 3);
    EXPECT_EQ(state.ColorActual, static_cast<float>(kGreen));
}

TEST_F(TickPainterTest, PositionsAreWholeAndInsideTheAreaAtTheGeneratorsExtremes)
{
    tick({0.0f, 0.0f, 0.0f});
    EXPECT_EQ(state.PosX, 0);
    EXPECT_EQ(state.PosY, 0);

    tick({kLargestBelowOne, kLargestBelowOne, 0.0f});
    EXPECT_EQ(state.PosX, 3854);
    EXPECT_EQ(state.PosY, 3614);

    // 0.1f is not exactly a tenth; the product is taken exactly, not rounded up.
    tick({0.1f, 0.3f, 0.0f});
    EXPECT_EQ(state.PosX, std::floor(static_cast<double>(0.1f) * 3855.0));
    EXPECT_EQ(state.PosY, std::floor(static_cast<double>(0.3f) * 3615.0));
}

TEST_F(TickPainterTest, ReadsTheAreaSizeAnewOnEveryTick)
{
    tick({0.5f, 0.5f, 0.0f});
    EXPECT_EQ(state.PosX, 1927);
    surface.width = 100;
    surface.height = 40;
    tick({0.5f, 0.5f, 0.0f});
    EXPECT_EQ(state.PosX, 50);
    EXPECT_EQ(state.PosY, 20);
}

TEST_F(TickPainterTest, ColourIndexStaysInTheSelectedPrefixAtTheExtremes)
{
    for (std::int16_t colours : {2, 4, 6}) {
        state.NombreColors = colours;
        tick({0.5f, 0.5f, 0.0f});
        EXPECT_EQ(state.IndexColor, 0) << colours;
        tick({0.5f, 0.5f, kLargestBelowOne});
        EXPECT_EQ(state.IndexColor, colours - 1) << colours;
        EXPECT_EQ(state.ColorActual, static_cast<float>(kPalette[static_cast<std::size_t>(colours - 1)])) << colours;
    }
}

TEST_F(TickPainterTest, EachSettingDrawsEveryColourOfItsPrefixAndNoOther)
{
    for (std::int16_t colours : {2, 4, 6}) {
        state.NombreColors = colours;
        std::set<std::int32_t> seen;
        for (int i = 0; i < 240; ++i) {
            tick({0.5f, 0.5f, static_cast<float>(i) / 240.0f});
            seen.insert(surface.circles.front().color);
        }
        const std::set<std::int32_t> prefix(kPalette.begin(), kPalette.begin() + colours);
        EXPECT_EQ(seen, prefix) << colours;
    }
}

TEST_F(TickPainterTest, AnIndexBeyondThePaletteKeepsThePreviousColour)
{
    tick({0.5f, 0.5f, 0.2f});  // 6 * 0.2 -> index 1, blue
    ASSERT_EQ(state.ColorActual, static_cast<float>(kBlue));
    state.NombreColors = 8;
    tick({0.5f, 0.5f, 0.9f});  // index 7: no such colour
    EXPECT_EQ(state.IndexColor, 7);
    EXPECT_EQ(state.ColorActual, static_cast<float>(kBlue));
    EXPECT_EQ(surface.circles.front().color, kBlue);
}

TEST_F(TickPainterTest, ADotIsGruixPlusOneRisingOutlinesOfOneCentreAndColour)
{
    for (std::int16_t gruix : {10, 50, 100}) {
        state.Gruix = gruix;
        tick({0.25f, 0.5f, kLargestBelowOne});  // white, the largest colour value
        ASSERT_EQ(surface.circles.size(), static_cast<std::size_t>(gruix + 1));
        for (std::size_t i = 0; i < surface.circles.size(); ++i) {
            const CircleCall& c = surface.circles[i];
            EXPECT_EQ(c.radius, static_cast<float>(i));
            EXPECT_EQ(c.x, 963);
            EXPECT_EQ(c.y, 1807);
            EXPECT_EQ(c.color, kWhite);
        }
        EXPECT_EQ(state.Radi, gruix + 1);
    }
}

TEST_F(TickPainterTest, GruixChangedBetweenTicksActsFromTheNextTick)
{
    state.Gruix = 10;
    tick({0.5f, 0.5f, 0.5f});
    EXPECT_EQ(surface.circles.size(), 11u);
    state.Gruix = 100;
    tick({0.5f, 0.5f, 0.5f});
    EXPECT_EQ(surface.circles.size(), 101u);
}

}  // namespace
