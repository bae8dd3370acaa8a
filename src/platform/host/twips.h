// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Twips, the unit of every length in the window's layout, to pixels.
namespace twips {

inline constexpr int kPerInch = 1440;
// A logical pixel, as toolkits and browsers count them, is 1/96 inch.
inline constexpr int kLogicalDpi = 96;

// Twips to pixels at a density in dots per inch; at 96, logical pixels.
constexpr double toPixels(double twips, double dpi = kLogicalDpi)
{
    return twips * dpi / kPerInch;
}

// The same in whole pixels, halves rounded away from zero, for places and sizes.
constexpr int toWholePixels(int twips, int dpi = kLogicalDpi)
{
    const long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>((scaled + (scaled < 0 ? -kPerInch : kPerInch) / 2) / kPerInch);
}

}  // namespace twips
