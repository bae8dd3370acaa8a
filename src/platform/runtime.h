// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the program asks of the runtime that runs its window.
class Runtime {
public:
    virtual ~Runtime() = default;

    // Ends the program at once: no further handler runs.
    virtual void End() = 0;
};
