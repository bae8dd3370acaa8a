#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Starts the Windows program (TACOLINA_EXE) under Wine, as this process, so
# that its status is the program's.
exec wine "${TACOLINA_EXE:?}" "$@"
