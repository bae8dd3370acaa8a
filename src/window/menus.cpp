// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "menus.h"

#include <array>

#include "main_window.h"

namespace {

constexpr std::array kVelocitat = {
    MenuItem{"MenuVelocitatPoca", "Poca", &Form1::MenuVelocitatPoca_Click},
    MenuItem{"MenuVelocitatNormal", "Normal", &Form1::MenuVelocitatNormal_Click},
    MenuItem{"MenuVelocitatMolta", "Molta", &Form1::MenuVelocitatMolta_Click},
};
constexpr std::array kGruix = {
    MenuItem{"MenuGruixPoc", "Poc", &Form1::MenuGruixPoc_Click},
    MenuItem{"MenuGruixNormal", "Normal", &Form1::MenuGruixNormal_Click},
    MenuItem{"MenuGruixMolt", "Molt", &Form1::MenuGruixMolt_Click},
};
constexpr std::array kColors = {
    MenuItem{"MenuColorsPocs", "Pocs", &Form1::MenuColorsPocs_Click},
    MenuItem{"MenuColorsNormal", "Normal", &Form1::MenuColorsNormal_Click},
    MenuItem{"MenuColorsMolts", "Molts", &Form1::MenuColorsMolts_Click},
};
constexpr std::array kAccions = {
    MenuItem{"MenuAccionsEsborra", "Esborra", &Form1::MenuAccionsEsborra_Click},
    MenuItem{"MenuAccionsSurt", "Surt", &Form1::MenuAccionsSurt_Click},
};

constexpr std::array kMenuBar = {
    Menu{"MenuVelocitat", "Velocitat", kVelocitat},
    Menu{"MenuGruix", "Gruix", kGruix},
    Menu{"MenuColors", "Colors", kColors},
    Menu{"MenuAccions", "Accions", kAccions},
};

}  // namespace

std::span<const Menu> menuBar()
{
    return kMenuBar;
}
