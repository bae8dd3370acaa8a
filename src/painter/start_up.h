// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class DrawingSurface;
struct PainterState;

// Gives the settings their start values (50, 6, 5) and clears the area.
// Neither starts the timer nor draws a random number.
void startUp(PainterState& state, DrawingSurface& picture);
