// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "run_control.h"

#include "drawing_surface.h"
#include "painter_state.h"
#include "random_source.h"
#include "runtime.h"
#include "tick_timer.h"

void toggleRun(const PainterState& state, TickTimer& timer, RandomSource& random)
{
    random.rtcRandomize();
    timer.SetInterval(state.Velocitat);
    timer.SetEnabled(!timer.Enabled());
}

void erase(DrawingSurface& picture)
{
    picture.ClearPicture();
}

void endProgram(Runtime& runtime)
{
    runtime.End();
}
