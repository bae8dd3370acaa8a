// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <span>
#include <string_view>

class Form1;

// One item of the menu bar: its control name, its caption and its handler.
struct MenuItem {
    std::string_view control;
    std::string_view caption;
    void (Form1::*handler)();
};

// One menu of the menu bar with its items, top to bottom.
struct Menu {
    std::string_view control;
    std::string_view caption;
    std::span<const MenuItem> items;
};

// The menu bar, left to right. Captions carry no mnemonic letters and items
// have no shortcut keys, check marks or separators.
std::span<const Menu> menuBar();
