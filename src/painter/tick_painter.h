// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class DrawingSurface;
class RandomSource;
struct PainterState;

// Paints one dot: a random place in the area, a random colour of the palette
// prefix in use, Gruix + 1 concentric outlines of radius 0 to Gruix.
// Takes exactly three random numbers, in the order x, y, colour.
void paintTick(PainterState& state, DrawingSurface& picture, RandomSource& random);
