#pragma once

class DrawingSurface;
struct PainterState;

// Gives the settings their start values (50, 6, 5) and clears the area.
// Neither starts the timer nor draws a random number.
void startUp(PainterState& state, DrawingSurface& picture);
