# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later
