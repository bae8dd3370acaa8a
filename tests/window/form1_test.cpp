// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>
#include <string>
#include <tuple>

#include "acceptance.h"
#include "fakes.h"
#include "main_window.h"
#include "menus.h"

namespace {

using Field = std::int16_t PainterState::*;
const std::pair<std::string, Field> kSettingMenus[] = {
    {"Velocitat", &PainterState::Velocitat}, {"Gruix", &PainterState::Gruix}, {"Colors", &PainterState::NombreColors}};

// What each setting item stores, by its control (Menu, the menu's word, the
// item's), as the acceptance table has it.
std::map<std::string, std::pair<Field, std::int16_t>, std::less<>> settingItems()
{
    std::map<std::string, std::pair<Field, std::int16_t>, std::less<>> items;
    for (const auto& [menu, field] : kSettingMenus) {
        const auto captions = acceptance::words(menu);
        const auto values = acceptance::numbers(menu + " sets");
        for (std::size_t i = 0; i < captions.size(); ++i) {
            items["Menu" + menu + captions[i]] = {field, static_cast<std::int16_t>(values[i])};
        }
    }
    return items;
}
const auto kSettingItems = settingItems();

// The settings a run starts with.
PainterState startSettings()
{
    PainterState start;
    for (const auto& [menu, field] : kSettingMenus) {
        start.*field = kSettingItems.at("Menu" + menu + acceptance::text(menu + " starts")).second;
    }
    return start;
}
const PainterState kStart = startSettings();

std::tuple<int, int, int> settings(const PainterState& state)
{
    return {state.Velocitat, state.Gruix, state.NombreColors};
}

class Form1Test : public ::testing::Test {
protected:
    Form1Test() { form.Form_Load(); }


    RecordingSurface picture;
    FakeTimer timer;
    ScriptedRandom random{{0.25f, 0.5f, 0.5f}};
    FakeRuntime runtime;
    Form1 form{picture, timer, random, runtime};
};

TEST_F(Form1Test, LoadLeavesTheTimerStoppedAndDrawsNoRandomNumber)
{
    EXPECT_FALSE(timer.enabled);
    EXPECT_EQ(random.taken, 0u);
    EXPECT_EQ(random.reseeds, 0);
    EXPECT_EQ(picture.clears, 1);
}

TEST_F(Form1Test, TheFirstClickStartsAtTheStartSpeedAndASpeedChosenWhilePaintingWaitsForTheNextStart)
{
    form.Picture1_Click();
    EXPECT_TRUE(timer.enabled);
    EXPECT_EQ(timer.interval, kStart.Velocitat);
    EXPECT_EQ(random.reseeds, 1);
    form.MenuVelocitatPoca_Click();
    EXPECT_EQ(timer.interval, kStart.Velocitat);
    EXPECT_TRUE(timer.enabled);

    form.Picture1_Click();
    form.Picture1_Click();
    EXPECT_EQ(timer.interval, kSettingItems.at("MenuVelocitatPoca").second);
    EXPECT_TRUE(timer.enabled);
}

TEST_F(Form1Test, TwoClicksRestoreTheStateAndEachReseedsAndWritesTheInterval)
{
    form.MenuVelocitatNormal_Click();
    for (bool running : {false, true}) {
        if (running) {
            form.Picture1_Click();
        }
        const int reseeds = random.reseeds;
        const int writes = timer.intervalWrites;
        form.Picture1_Click();
        form.Picture1_Click();
        EXPECT_EQ(timer.enabled, running);
        EXPECT_EQ(random.reseeds, reseeds + 2);
        EXPECT_EQ(timer.intervalWrites, writes + 2);
        EXPECT_EQ(timer.interval, kSettingItems.at("MenuVelocitatNormal").second);
    }
}

TEST_F(Form1Test, EsborraClearsAndChangesNothingElse)
{
    for (bool running : {false, true}) {
        timer.enabled = running;
        form.Timer1_Timer();
        const PainterState before = form.State();
        const int clears = picture.clears;
        form.MenuAccionsEsborra_Click();
        EXPECT_EQ(picture.clears, clears + 1);
        EXPECT_TRUE(picture.circles.empty());
        EXPECT_EQ(timer.enabled, running);
        EXPECT_EQ(std::memcmp(&before, &form.State(), sizeof before), 0);
    }
    // A running painter draws onto the cleared area at the next tick.
    form.Timer1_Timer();
    EXPECT_EQ(picture.circles.size(), 51u);
}

TEST_F(Form1Test, SurtEndsThroughTheRuntimeAndTouchesNothingElse)
{
    form.Picture1_Click();
    form.MenuAccionsSurt_Click();
    EXPECT_EQ(runtime.ends, 1);
    EXPECT_TRUE(timer.enabled);  // stopping the ticks is the runtime's part of End
    EXPECT_EQ(settings(form.State()), settings(kStart));
}

TEST(MenuTableTest, FourMenusWithTheirItemsInOrder)
{
    std::string seen;
    for (const Menu& menu : menuBar()) {
        seen += std::string(menu.control) + "=" + std::string(menu.caption) + ":";
        for (const MenuItem& item : menu.items) {
            seen += " " + std::string(item.control) + "=" + std::string(item.caption);
            EXPECT_EQ(item.caption.find('&'), std::string_view::npos);
        }
        seen += "\n";
    }
    std::string expected;
    for (const std::string& menu : acceptance::words("menus")) {
        expected += "Menu" + menu + "=" + menu + ":";
        for (const std::string& item : acceptance::words(menu)) {
            expected += " Menu" + menu + item + "=" + item;
        }
        expected += "\n";
    }
    EXPECT_EQ(seen, expected);
}

TEST(MenuTableTest, EachItemIsWiredToTheHandlerNamedAfterIt)
{
    // Choosing every item through the table, in table order, leaves the
    // values of the last item of each setting menu and exactly one End.
    RecordingSurface picture;
    FakeTimer timer;
    ScriptedRandom random{{0.5f}};
    FakeRuntime runtime;
    Form1 form(picture, timer, random, runtime);
    form.Form_Load();
    form.Timer1_Timer();
    for (const Menu& menu : menuBar()) {
        for (const MenuItem& item : menu.items) {
            (form.*item.handler)();
            if (const auto it = kSettingItems.find(item.control); it != kSettingItems.end()) {
                const auto [field, value] = it->second;
                EXPECT_EQ(form.State().*field, value) << item.control;
            }
        }
    }
    for (const auto& [menu, field] : kSettingMenus) {
        EXPECT_EQ(form.State().*field, acceptance::numbers(menu + " sets").back()) << menu;
    }
    EXPECT_TRUE(picture.circles.empty());  // Esborra ran
    EXPECT_EQ(runtime.ends, 1);            // Surt ran
}

// Random sequences of clicks, ticks and menu choices, checked after every
// event against a model of the two states and the three settings.
TEST(Form1ModelTest, RandomEventSequencesFollowTheStateTable)
{
    for (unsigned seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 events(seed);
        RecordingSurface picture;
        FakeTimer timer;
        ScriptedRandom random{{0.1f, 0.7f, 0.3f, 0.9f, 0.0f, 0.55f, 0.999f}};
        FakeRuntime runtime;
        Form1 form(picture, timer, random, runtime);
        form.Form_Load();

        struct Model {
            bool running = false;
            int interval = 0;
            PainterState settings = kStart;
            int reseeds = 0;
            std::size_t circles = 0;
        } model;

        const auto& items = menuBar();
        for (int step = 0; step < 300; ++step) {
            const int kind = static_cast<int>(events() % 3);
            if (kind == 0) {
                form.Picture1_Click();
                ++model.reseeds;
                model.interval = model.settings.Velocitat;
                model.running = !model.running;
            } else if (kind == 1) {
                // The runtime raises Timer only while the timer is enabled.
                if (timer.enabled) {
                    form.Timer1_Timer();
                    model.circles += static_cast<std::size_t>(model.settings.Gruix + 1);
                    ASSERT_LT(form.State().IndexColor, model.settings.NombreColors) << "step " << step;
                }
            } else {
                const Menu& menu = items[events() % items.size()];
                const MenuItem& item = menu.items[events() % menu.items.size()];
                if (item.control == "MenuAccionsSurt") {
                    continue;
                }
                (form.*item.handler)();
                if (const auto it = kSettingItems.find(item.control); it != kSettingItems.end()) {
                    model.settings.*it->second.first = it->second.second;
                } else if (item.control == "MenuAccionsEsborra") {
                    model.circles = 0;
                }
            }
            ASSERT_EQ(timer.enabled, model.running) << "step " << step;
            ASSERT_EQ(timer.interval, model.interval) << "step " << step;
            ASSERT_EQ(form.State().Gruix, model.settings.Gruix) << "step " << step;
            ASSERT_EQ(form.State().NombreColors, model.settings.NombreColors) << "step " << step;
            ASSERT_EQ(form.State().Velocitat, model.settings.Velocitat) << "step " << step;
            ASSERT_EQ(random.reseeds, model.reseeds) << "step " << step;
            ASSERT_EQ(picture.circles.size(), model.circles) << "step " << step;
        }
        EXPECT_EQ(runtime.ends, 0);
    }
}

}  // namespace
