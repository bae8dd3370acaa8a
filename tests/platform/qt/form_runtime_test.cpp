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

#include "drawing_area.h"
#include "form_runtime.h"
#include "image_probe.h"

namespace {

const QColor kSilver(0xC0, 0xC0, 0xC0);

class FormRuntimeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        runtime.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&runtime.window()));
    }
    void TearDown() override { QApplication::closeAllWindows(); }

    DrawingArea& area() { return runtime.picture(); }
    const PainterState& state() { return runtime.form().State(); }
    void click(Qt::MouseButton button = Qt::LeftButton, QPoint where = {100, 100})
    {
        QTest::mouseClick(&area(), button, {}, where);
    }
    void choose(const char* control)
    {
        QAction* action = runtime.action(QString::fromLatin1(control));
        ASSERT_NE(action, nullptr) << control;
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
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tacolina 2.0"));
    EXPECT_EQ(window.centralWidget()->size(), QSize(271, 254));
    EXPECT_EQ(area().geometry(), QRect(8, 8, 257, 241));
    EXPECT_EQ(area().Width(), 3855);
    EXPECT_EQ(area().Height(), 3615);
    EXPECT_EQ(window.height(), window.menuBar()->height() + 254);
    // Fixed size: the window cannot be resized.
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    // Placed by the windowing system, not by the program.
    EXPECT_FALSE(window.testAttribute(Qt::WA_Moved));

    EXPECT_FALSE(runtime.timer().Enabled());
    EXPECT_FALSE(runtime.timer().ticking());
    EXPECT_EQ(state().Gruix, 50);
    EXPECT_EQ(state().NombreColors, 6);
    EXPECT_EQ(state().Velocitat, 5);
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
    EXPECT_EQ(seen.join(' '), QStringLiteral("Velocitat: Poca Normal Molta Gruix: Poc Normal Molt "
                                             "Colors: Pocs Normal Molts Accions: Esborra Surt"));
}

TEST_F(FormRuntimeTest, ALeftClickOnTheAreaStartsTheTimerAndTheNextStopsIt)
{
    EXPECT_FALSE(runtime.wakeup().active()) << "nothing wakes the program while it is stopped";
    click();
    EXPECT_TRUE(runtime.timer().ticking());
    EXPECT_EQ(runtime.timer().Interval(), 5);
    // One wake-up a frame, 25 a second, however short the interval.
    EXPECT_TRUE(runtime.wakeup().active());
    EXPECT_EQ(runtime.wakeup().intervalMs(), 40);
    ASSERT_TRUE(waitForPainting());

    click();
    EXPECT_FALSE(runtime.timer().ticking());
    EXPECT_FALSE(runtime.wakeup().active());
    const QImage stopped = area().picture();
    QTest::qWait(30);
    EXPECT_EQ(area().picture(), stopped);
}

TEST_F(FormRuntimeTest, OnlyLeftClicksInsideTheAreaCount)
{
    click(Qt::RightButton);
    click(Qt::MiddleButton);
    EXPECT_FALSE(runtime.timer().Enabled());

    // On the window, outside the area.
    QTest::mouseClick(runtime.window().centralWidget(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_FALSE(runtime.timer().Enabled());

    // Pressed on the area, released off it: no click, as with a button.
    QTest::mousePress(&area(), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(&area(), Qt::LeftButton, {}, QPoint(-5, 10));
    EXPECT_FALSE(runtime.timer().Enabled());

    // Each press of a double click counts: it toggles twice.
    QTest::mouseDClick(&area(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(runtime.timer().Enabled());
    click();
    EXPECT_TRUE(runtime.timer().Enabled());
}

TEST_F(FormRuntimeTest, SettingItemsActOnTheNextTickOrTheNextClick)
{
    click();
    choose("MenuVelocitatPoca");
    EXPECT_EQ(runtime.timer().Interval(), 5);
    click();
    click();
    EXPECT_EQ(runtime.timer().Interval(), 25);
    choose("MenuVelocitatNormal");
    EXPECT_EQ(state().Velocitat, 15);

    choose("MenuGruixPoc");
    EXPECT_EQ(state().Gruix, 10);
    choose("MenuGruixMolt");
    EXPECT_EQ(state().Gruix, 100);
    choose("MenuGruixNormal");
    EXPECT_EQ(state().Gruix, 50);
    choose("MenuColorsNormal");
    EXPECT_EQ(state().NombreColors, 4);
    choose("MenuColorsMolts");
    EXPECT_EQ(state().NombreColors, 6);
    choose("MenuVelocitatMolta");
    EXPECT_EQ(state().Velocitat, 5);

    // Two colours: from now on only black and blue land.
    choose("MenuColorsPocs");
    choose("MenuAccionsEsborra");
    ASSERT_TRUE(waitForPainting(2000));
    const QImage& picture = area().picture();
    const int black = probe::countColor(picture, Qt::black);
    const int blue = probe::countColor(picture, Qt::blue);
    EXPECT_GT(black, 0);
    EXPECT_GT(blue, 0);
    for (QColor other : {Qt::red, Qt::green, Qt::yellow, Qt::white}) {
        EXPECT_EQ(probe::countColor(picture, other), 0) << other.name().toStdString();
    }
}

TEST_F(FormRuntimeTest, EsborraClearsWhileRunningAndPaintingGoesOn)
{
    click();
    ASSERT_TRUE(waitForPainting(500));
    choose("MenuAccionsEsborra");
    EXPECT_EQ(paintedPixels(), 0);
    EXPECT_TRUE(runtime.timer().Enabled());
    EXPECT_TRUE(waitForPainting());
}

TEST_F(FormRuntimeTest, SurtEndsAtOnceAndNoHandlerRunsAfterIt)
{
    click();
    choose("MenuAccionsSurt");
    EXPECT_FALSE(runtime.timer().ticking());
    EXPECT_FALSE(runtime.window().isVisible());
    const QImage last = area().picture();
    click();
    choose("MenuGruixPoc");
    EXPECT_EQ(state().Gruix, 50);
    EXPECT_FALSE(runtime.timer().ticking());
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
    EXPECT_EQ(velocitat->activeAction(), runtime.action("MenuVelocitatPoca"));
    // Right moves to the next menu, opened on its first item; Down twice and
    // Return choose its third.
    QTest::keyClick(velocitat, Qt::Key_Right);
    ASSERT_TRUE(QTest::qWaitFor([gruix] { return gruix->isVisible(); }));
    EXPECT_EQ(gruix->activeAction(), runtime.action("MenuGruixPoc"));
    QTest::keyClick(gruix, Qt::Key_Down);
    QTest::keyClick(gruix, Qt::Key_Down);
    EXPECT_EQ(gruix->activeAction(), runtime.action("MenuGruixMolt"));
    QTest::keyClick(gruix, Qt::Key_Return);
    EXPECT_EQ(state().Gruix, 100);
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
    EXPECT_EQ(canvas->text(QAccessible::Name), QStringLiteral("Àrea de dibuix"));
    EXPECT_TRUE(canvas->text(QAccessible::Description).contains(QStringLiteral("clic")));
    QAccessibleActionInterface* actions = canvas->actionInterface();
    ASSERT_NE(actions, nullptr);
    EXPECT_EQ(actions->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});

    // The same Click as the mouse's: the interval chosen, then a toggle.
    choose("MenuVelocitatPoca");
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(runtime.timer().ticking());
    EXPECT_EQ(runtime.timer().Interval(), 25);
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_FALSE(runtime.timer().ticking());
    actions->doAction(QAccessibleActionInterface::setFocusAction());
    EXPECT_FALSE(runtime.timer().ticking());
}

}  // namespace
