// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tick_painter.h"

#include <cmath>
#include <cstdint>

#include "drawing_surface.h"
#include "painter_state.h"
#include "paleta.h"
#include "random_source.h"

namespace {

// floor(r * extent): the product of two floats is exact in double precision.
float randomCoordinate(float extent, RandomSource& random)
{
    const float r = random.rtcRandomNext();
    return static_cast<float>(std::floor(static_cast<double>(r) * static_cast<double>(extent)));
}

}  // namespace

void paintTick(PainterState& state, DrawingSurface& picture, RandomSource& random)
{
    state.PosX = randomCoordinate(picture.Width(), random);
    state.PosY = randomCoordinate(picture.Height(), random);

    // The product is rounded to single precision before the floor, so the
    // largest float below 1 still gives an index below NombreColors.
    const float product = static_cast<float>(state.NombreColors) * random.rtcRandomNext();
    state.IndexColor = std::floor(product);
    if (state.IndexColor >= 0 && state.IndexColor < static_cast<float>(Paleta.size())) {
        state.ColorActual = static_cast<float>(Paleta[static_cast<std::size_t>(state.IndexColor)]);
    }

    const auto color = static_cast<std::int32_t>(std::lround(state.ColorActual));
    const int gruix = state.Gruix;
    int radi = 0;
    for (; radi <= gruix; ++radi) {
        state.Radi = static_cast<std::int16_t>(radi);
        picture.Circle(state.PosX, state.PosY, static_cast<float>(radi), color);
    }
    state.Radi = static_cast<std::int16_t>(radi);
}
