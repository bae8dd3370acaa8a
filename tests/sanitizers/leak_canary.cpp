// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Leaks one painter state on purpose: a sanitizer build must fail this.
#include "painter_state.h"

int main()
{
    auto* leaked = new PainterState;
    leaked->Gruix = 50;
    leaked = nullptr;
    return 0;
}
