// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

// UTF-8, as the window's texts are written, to the UTF-16 Windows takes.
std::wstring widen(std::string_view utf8);
