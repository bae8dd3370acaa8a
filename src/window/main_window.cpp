// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "main_window.h"

#include "painter_settings.h"
#include "run_control.h"
#include "start_up.h"
#include "tick_painter.h"

Form1::Form1(DrawingSurface& picture1, TickTimer& timer1, RandomSource& random, Runtime& runtime)
    : Picture1(picture1), Timer1(timer1), random_(random), runtime_(runtime)
{
}

void Form1::Form_Load()
{
    startUp(state_, Picture1);
}
void Form1::Picture1_Click()
{
    toggleRun(state_, Timer1, random_);
}
void Form1::Timer1_Timer()
{
    paintTick(state_, Picture1, random_);
}

void Form1::MenuVelocitatPoca_Click()
{
    state_.Velocitat = settings::kVelocitatPoca;
}
void Form1::MenuVelocitatNormal_Click()
{
    state_.Velocitat = settings::kVelocitatNormal;
}
void Form1::MenuVelocitatMolta_Click()
{
    state_.Velocitat = settings::kVelocitatMolta;
}
void Form1::MenuGruixPoc_Click()
{
    state_.Gruix = settings::kGruixPoc;
}
void Form1::MenuGruixNormal_Click()
{
    state_.Gruix = settings::kGruixNormal;
}
void Form1::MenuGruixMolt_Click()
{
    state_.Gruix = settings::kGruixMolt;
}
void Form1::MenuColorsPocs_Click()
{
    state_.NombreColors = settings::kColorsPocs;
}
void Form1::MenuColorsNormal_Click()
{
    state_.NombreColors = settings::kColorsNormal;
}
void Form1::MenuColorsMolts_Click()
{
    state_.NombreColors = settings::kColorsMolts;
}
void Form1::MenuAccionsEsborra_Click()
{
    erase(Picture1);
}
void Form1::MenuAccionsSurt_Click()
{
    endProgram(runtime_);
}
