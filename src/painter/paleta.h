// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>

// Colour values are 0x00BBGGRR: red in the lowest byte.
inline constexpr std::int32_t kBlack = 0x000000;
inline constexpr std::int32_t kBlue = 0xFF0000;
inline constexpr std::int32_t kRed = 0x0000FF;
inline constexpr std::int32_t kGreen = 0x00FF00;
inline constexpr std::int32_t kYellow = 0x00FFFF;
inline constexpr std::int32_t kWhite = 0xFFFFFF;

// The colours dots are drawn in; the settings select a prefix of 2, 4 or 6.
inline constexpr std::array<std::int32_t, 6> Paleta = {kBlack, kBlue, kRed, kGreen, kYellow, kWhite};
