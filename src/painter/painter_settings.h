// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// The values each setting can take, and those a run starts with.
namespace settings {
inline constexpr std::int16_t kGruixPoc = 10;
inline constexpr std::int16_t kGruixNormal = 50;
inline constexpr std::int16_t kGruixMolt = 100;

inline constexpr std::int16_t kColorsPocs = 2;
inline constexpr std::int16_t kColorsNormal = 4;
inline constexpr std::int16_t kColorsMolts = 6;

// Velocitat counts speed: little speed is the longest interval.
inline constexpr std::int16_t kVelocitatPoca = 25;
inline constexpr std::int16_t kVelocitatNormal = 15;
inline constexpr std::int16_t kVelocitatMolta = 5;
}  // namespace settings
