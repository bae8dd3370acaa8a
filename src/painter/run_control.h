// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class DrawingSurface;
class RandomSource;
class Runtime;
class TickTimer;
struct PainterState;

// A click on the area: reseeds, applies Velocitat to the timer, and starts
// the painting when stopped or stops it when running. Stopping clicks too
// reseed and write the interval.
void toggleRun(const PainterState& state, TickTimer& timer, RandomSource& random);

// Clears the area; the running state and the settings stay as they are.
void erase(DrawingSurface& picture);

// Ends the program at once.
void endProgram(Runtime& runtime);
