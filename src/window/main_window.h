// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "painter_state.h"

class DrawingSurface;
class RandomSource;
class Runtime;
class TickTimer;

// The one window: it holds the painter's state and reaches the drawing area,
// the timer, the random source and the runtime. Every routine of the program
// is one of its event handlers; the runtime calls each for its one event.
class Form1 {
public:
    Form1(DrawingSurface& picture1, TickTimer& timer1, RandomSource& random, Runtime& runtime);

    // Load of the window, once, before it is first shown.
    void Form_Load();
    // Click on the drawing area: start or stop painting.
    void Picture1_Click();
    // Timer event: paint one dot.
    void Timer1_Timer();

    void MenuVelocitatPoca_Click();
    void MenuVelocitatNormal_Click();
    void MenuVelocitatMolta_Click();
    void MenuGruixPoc_Click();
    void MenuGruixNormal_Click();
    void MenuGruixMolt_Click();
    void MenuColorsPocs_Click();
    void MenuColorsNormal_Click();
    void MenuColorsMolts_Click();
    void MenuAccionsEsborra_Click();
    void MenuAccionsSurt_Click();

    const PainterState& State() const { return state_; }

private:
    PainterState state_;
    DrawingSurface& Picture1;
    TickTimer& Timer1;
    RandomSource& random_;
    Runtime& runtime_;
};
