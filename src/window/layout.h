// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// The main window's fixed layout, in twips, with the origin at the top-left
// of the client area (inside the frame, below the menu bar).
namespace layout {
inline constexpr const char* kCaption = "Tacolina 2.0";

inline constexpr int kClientWidth = 4065;
inline constexpr int kClientHeight = 3810;

inline constexpr int kPictureLeft = 120;
inline constexpr int kPictureTop = 120;
inline constexpr int kPictureWidth = 3855;
inline constexpr int kPictureHeight = 3615;

// Background of the drawing area (0x00BBGGRR): a silver on which all six
// palette colours, white and black included, stand out.
inline constexpr std::int32_t kPictureBackColor = 0xC0C0C0;

inline constexpr const char* kPictureAccessibleName = "Àrea de dibuix";
inline constexpr const char* kPictureAccessibleDescription =
    "Feu-hi clic per començar a pintar punts de colors; torneu-hi a fer clic per aturar-los.";
}  // namespace layout
