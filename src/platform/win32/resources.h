// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The program's icon, for the executable, its window and its shortcut.
#define IDI_TACOLINA 1
