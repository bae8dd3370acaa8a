// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QTest>

#include "acceptance.h"
#include "drawing_area.h"
#include "form_runtime.h"
#include "image_probe.h"
#include "offscreen.h"

namespace {

const QColor kSilver(QRgb(acceptance::rgb(acceptance::text("area colour"))));

QRect rect(const std::vector<int>& v)
{
    return {v.at(0), v.at(1), v.at(2), v.at(3)};
}

// A menu item's control, as the program names them: Menu, the menu's word, the item's.
QString control(const std::string& menu, int index)
{
    return QString::fromStdString("Menu" + menu + acceptance::words(menu).at(static_cast<std::size_t>(index)));
}

int sets(const std::string& menu, int index)
{
    return acceptance::numbers(menu + " sets").at(static_cast<std::size_t>(index));
}

class FormRuntimeTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(offscreen::show(runtime)); }
    void TearDown() override { QApplication::closeAllWindows(); }

    DrawingArea& area() { return runtime.picture(); }
    const PacedTickTimer& timer() { return runtime.host().timer(); }
    const PainterState& state() { return runtime.host().form().State(); }
    void click(Qt::MouseButton button = Qt::LeftButton, QPoint where = {100, 100})
    {
        QTest::mouseClick(&area(), button, {}, where);
    }
    void choose(const QString& control)
    {
        QAction* action = runtime.action(control);
        ASSERT_NE(action, nullptr) << control.toStdString();
        action->trigger();
    }
    int paintedPixels() { return probe::countOther(area().picture(), kSilver); }
    bool waitForPainting(int atLeast = 1)
    {
        return QTest::qWaitFor([&] { return paintedPixels() >= atLeast; }, 5000);
    }

    FormRuntime runtime;
};

TEST_F(FormRuntimeTest, OpensWithItsCaptionLayoutAndAnEmptyStoppedArea)
{
    QMainWindow& window = runtime.window();
    const std::vector<int> client = acceptance::numbers("client");
    EXPECT_EQ(window.windowTitle(), QString::fromStdString(acceptance::text("caption")));
    EXPECT_EQ(window.centralWidget()->size(), QSize(client[0], client[1]));
    EXPECT_EQ(area().geometry(), rect(acceptance::numbers("area")));
    EXPECT_EQ(window.height(), window.menuBar()->height() + client[1]);
    // Fixed size: the window cannot be resized.
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    // Placed by the windowing system, not by the program.
    EXPECT_FALSE(window.testAttribute(Qt::WA_Moved));

    EXPECT_FALSE(timer().Enabled());
    EXPECT_FALSE(timer().ticking());
    EXPECT_EQ(paintedPixels(), 0);
    EXPECT_EQ(probe::at(window.grab().toImage(), QPointF(150, 150 + window.menuBar()->height())), kSilver);
}

TEST_F(FormRuntimeTest, MenuBarHoldsExactlyTheFourMenusAndElevenPlainItems)
{
    QStringList seen;
    for (QAction* title : runtime.window().menuBar()->actions()) {
        seen << title->text() + ":";
        ASSERT_NE(title->menu(), nullptr);
        for (QAction* item : title->menu()->actions()) {
            seen << item->text();
            EXPECT_FALSE(item->isSeparator());
            EXPECT_FALSE(item->isCheckable());
            EXPECT_TRUE(item->shortcut().isEmpty());
            EXPECT_TRUE(item->isEnabled());
            EXPECT_TRUE(item->isVisible());
        }
        EXPECT_TRUE(title->isEnabled());
        EXPECT_TRUE(title->shortcut().isEmpty());
    }
    QStringList expected;
    for (const std::string& menu : acceptance::words("menus")) {
        expected << QString::fromStdString(menu + ": " + acceptance::text(menu));
    }
    EXPECT_EQ(seen.join(' '), expected.join(' '));
}

TEST_F(FormRuntimeTest, ALeftClickOnTheAreaStartsTheTimerAndTheNextStopsIt)
{
    EXPECT_FALSE(runtime.wakeup().isActive()) << "nothing wakes the program while it is stopped";
    click();
    EXPECT_TRUE(timer().ticking());
    EXPECT_EQ(timer().Interval(), sets("Velocitat", 2));
    // One wake-up a frame, 25 a second, however short the interval.
    EXPECT_TRUE(runtime.wakeup().isActive());
    EXPECT_EQ(runtime.wakeup().interval(), 1000 / acceptance::numbers("frames a second")[0]);
    ASSERT_TRUE(waitForPainting());

    click();
    EXPECT_FALSE(timer().ticking());
    EXPECT_FALSE(runtime.wakeup().isActive());
    const QImage stopped = area().picture();
    QTest::qWait(30);
    EXPECT_EQ(area().picture(), stopped);
}

TEST_F(FormRuntimeTest, OnlyLeftClicksInsideTheAreaCount)
{
    click(Qt::RightButton);
    click(Qt::MiddleButton);
    EXPECT_FALSE(timer().Enabled());

    // On the window, outside the area.
    QTest::mouseClick(runtime.window().centralWidget(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_FALSE(timer().Enabled());

    // Pressed on the area, released off it: no click, as with a button.
    QTest::mousePress(&area(), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(&area(), Qt::LeftButton, {}, QPoint(-5, 10));
    EXPECT_FALSE(timer().Enabled());

    // Each press of a double click counts: it toggles twice.
    QTest::mouseDClick(&area(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(timer().Enabled());
    click();
    EXPECT_TRUE(timer().Enabled());
}

TEST_F(FormRuntimeTest, SettingItemsActOnTheNextTickOrTheNextClick)
{
    click();
    choose(control("Velocitat", 0));
    EXPECT_EQ(timer().Interval(), sets("Velocitat", 2)) << "a speed waits for the next click";
    click();
    click();
    EXPECT_EQ(timer().Interval(), sets("Velocitat", 0));
    const std::pair<std::string, std::int16_t PainterState::*> settings[] = {
        {"Velocitat", &PainterState::Velocitat}, {"Gruix", &PainterState::Gruix}, {"Colors", &PainterState::NombreColors}};
    for (const auto& [menu, field] : settings) {
        for (int item = 0; item < 3; ++item) {
            choose(control(menu, item));
            EXPECT_EQ(state().*field, sets(menu, item)) << menu << " " << item;
        }
    }

    // Two colours: from now on only the palette's first two land.
    choose(control("Colors", 0));
    choose(control("Accions", 0));
    ASSERT_TRUE(waitForPainting(2000));
    const QImage& picture = area().picture();
    const std::vector<std::string> palette = acceptance::words("palette");
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const int count = probe::countColor(picture, QColor(QRgb(acceptance::rgb(palette[i]))));
        EXPECT_EQ(count > 0, i < 2) << palette[i];
    }
}

TEST_F(FormRuntimeTest, EsborraClearsWhileRunningAndPaintingGoesOn)
{
    click();
    ASSERT_TRUE(waitForPainting(500));
    choose(control("Accions", 0));
    EXPECT_EQ(paintedPixels(), 0);
    EXPECT_TRUE(timer().Enabled());
    EXPECT_TRUE(waitForPainting());
}

TEST_F(FormRuntimeTest, SurtEndsAtOnceAndNoHandlerRunsAfterIt)
{
    click();
    choose(control("Accions", 1));
    EXPECT_FALSE(timer().ticking());
    EXPECT_FALSE(runtime.window().isVisible());
    const QImage last = area().picture();
    click();
    choose(control("Gruix", 0));
    EXPECT_EQ(state().Gruix, sets("Gruix", 1));
    EXPECT_FALSE(timer().ticking());
    EXPECT_EQ(area().picture(), last);
}

TEST_F(FormRuntimeTest, DrawingSurvivesHidingAndShowing)
{
    click();
    ASSERT_TRUE(waitForPainting(300));
    click();
    const QImage before = area().grab().toImage();
    runtime.window().showMinimized();
    runtime.window().hide();
    runtime.window().showNormal();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&runtime.window()));
    EXPECT_EQ(area().grab().toImage(), before);
}

TEST_F(FormRuntimeTest, TicksGoOnWhileAMenuIsOpen)
{
    click();
    QMenu* menu = runtime.action("MenuGruix")->menu();
    menu->popup(runtime.window().mapToGlobal(QPoint(20, 20)));
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }));
    const int before = paintedPixels();
    EXPECT_TRUE(waitForPainting(before + 500));
    menu->hide();
}

TEST_F(FormRuntimeTest, MenusOpenFromTheKeyboard)
{
    QMenuBar* bar = runtime.window().menuBar();
    QMenu* velocitat = runtime.action("MenuVelocitat")->menu();
    QMenu* gruix = runtime.action("MenuGruix")->menu();

    QTest::keyClick(&runtime.window(), Qt::Key_F10);
    ASSERT_TRUE(QTest::qWaitFor([velocitat] { return velocitat->isVisible(); }));
    EXPECT_EQ(velocitat->activeAction(), runtime.action(control("Velocitat", 0)));
    // Right moves to the next menu, opened on its first item; Down twice and
    // Return choose its third.
    QTest::keyClick(velocitat, Qt::Key_Right);
    ASSERT_TRUE(QTest::qWaitFor([gruix] { return gruix->isVisible(); }));
    EXPECT_EQ(gruix->activeAction(), runtime.action(control("Gruix", 0)));
    QTest::keyClick(gruix, Qt::Key_Down);
    QTest::keyClick(gruix, Qt::Key_Down);
    EXPECT_EQ(gruix->activeAction(), runtime.action(control("Gruix", 2)));
    QTest::keyClick(gruix, Qt::Key_Return);
    EXPECT_EQ(state().Gruix, sets("Gruix", 2));
    EXPECT_FALSE(gruix->isVisible());

    // Alt alone selects the menu bar, with no mnemonic letters needed.
    EXPECT_TRUE(bar->style()->styleHint(QStyle::SH_MenuBar_AltKeyNavigation));
    QTest::keyPress(&runtime.window(), Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(&runtime.window(), Qt::Key_Alt);
    EXPECT_EQ(bar->activeAction(), runtime.action("MenuVelocitat"));
}

TEST_F(FormRuntimeTest, AssistiveTechnologySeesACanvasWhosePressIsAClick)
{
    QAccessibleInterface* canvas = QAccessible::queryAccessibleInterface(&area());
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(canvas->role(), QAccessible::Canvas);
    EXPECT_EQ(canvas->text(QAccessible::Name), QString::fromStdString(acceptance::text("area name")));
    EXPECT_TRUE(canvas->text(QAccessible::Description).contains(QString::fromStdString(acceptance::text("area description"))));
    QAccessibleActionInterface* actions = canvas->actionInterface();
    ASSERT_NE(actions, nullptr);
    EXPECT_EQ(actions->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});

    // The same Click as the mouse's: the interval chosen, then a toggle.
    choose(control("Velocitat", 0));
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(timer().ticking());
    EXPECT_EQ(timer().Interval(), sets("Velocitat", 0));
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_FALSE(timer().ticking());
    actions->doAction(QAccessibleActionInterface::setFocusAction());
    EXPECT_FALSE(timer().ticking());
}

}  // namespace
