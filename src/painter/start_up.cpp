// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "start_up.h"

#include "drawing_surface.h"
#include "painter_settings.h"
#include "painter_state.h"

void startUp(PainterState& state, DrawingSurface& picture)
{
    state.Gruix = settings::kGruixNormal;
    state.NombreColors = settings::kColorsMolts;
    state.Velocitat = settings::kVelocitatMolta;
    picture.ClearPicture();
}
