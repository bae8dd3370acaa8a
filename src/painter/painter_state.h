// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// Settings and working values of the painter, zeroed until start-up fills them.
struct PainterState {
    // Centre of the current dot, in twips; always whole numbers.
    float PosX = 0;
    float PosY = 0;
    // Radius counter of the ring loop.
    std::int16_t Radi = 0;
    // Palette index of the current dot; always a whole number.
    float IndexColor = 0;
    // Colour of the current dot, 0x00BBGGRR held as a float.
    float ColorActual = 0;
    // Largest ring radius of a dot, in twips: 10, 50 or 100.
    std::int16_t Gruix = 0;
    // How many leading palette entries are in use: 2, 4 or 6.
    std::int16_t NombreColors = 0;
    // Timer interval, in ms, that the next click on the area applies: 5, 15 or 25.
    std::int16_t Velocitat = 0;
};
