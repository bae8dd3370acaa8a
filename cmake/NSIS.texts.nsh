; SPDX-FileCopyrightText: 2026 Tacolina developers
; SPDX-License-Identifier: GPL-3.0-or-later

; The installer's own texts, in its three languages; NSIS's pages bring
; theirs. Included by NSIS.template.in, as UTF-8.

LangString LicenceBottom ${LANG_ENGLISH} "$(^NameDA) is free software: you may run it for any purpose, and share and change it on the terms above. $(^ClickNext)"
LangString LicenceBottom ${LANG_CATALAN} "$(^NameDA) és programari lliure: el podeu fer servir per a qualsevol fi, i compartir-lo i modificar-lo en els termes d'aquí dalt. $(^ClickNext)"
LangString LicenceBottom ${LANG_SPANISH} "$(^NameDA) es software libre: puede usarlo para cualquier fin, y compartirlo y modificarlo en los términos de arriba. $(^ClickNext)"

LangString ModeTitle ${LANG_ENGLISH} "Choose Users"
LangString ModeTitle ${LANG_CATALAN} "Trieu els usuaris"
LangString ModeTitle ${LANG_SPANISH} "Elija los usuarios"
LangString ModeSubtitle ${LANG_ENGLISH} "Choose for which users you want to install $(^NameDA)."
LangString ModeSubtitle ${LANG_CATALAN} "Trieu per a quins usuaris voleu instal·lar l'aplicació $(^NameDA)."
LangString ModeSubtitle ${LANG_SPANISH} "Elija para qué usuarios desea instalar $(^NameDA)."
LangString ModeText ${LANG_ENGLISH} "Install $(^NameDA) just for yourself, or for everyone who uses this computer (this needs an administrator's rights). $(^ClickNext)"
LangString ModeText ${LANG_CATALAN} "Instal·leu l'aplicació $(^NameDA) només per a vós, o per a tothom qui faci servir aquest ordinador (cal tenir drets d'administrador). $(^ClickNext)"
LangString ModeText ${LANG_SPANISH} "Instale $(^NameDA) solo para usted, o para todos los que usan este equipo (hacen falta derechos de administrador). $(^ClickNext)"
LangString ModeCurrentUser ${LANG_ENGLISH} "Install just for &me"
LangString ModeCurrentUser ${LANG_CATALAN} "Instal·la-ho només per a &mi"
LangString ModeCurrentUser ${LANG_SPANISH} "Instalar solo para &mí"
LangString ModeAllUsers ${LANG_ENGLISH} "Install for &anyone using this computer"
LangString ModeAllUsers ${LANG_CATALAN} "Instal·la-ho per a &tothom qui faci servir aquest ordinador"
LangString ModeAllUsers ${LANG_SPANISH} "Instalar para &todos los que usan este equipo"

LangString NoAdminRights ${LANG_ENGLISH} "$(^Name) could not get an administrator's rights, which it needs to install or uninstall for all users."
LangString NoAdminRights ${LANG_CATALAN} "L'aplicació $(^Name) no ha obtingut els drets d'administrador que necessita per a instal·lar-se o desinstal·lar-se per a tots els usuaris."
LangString NoAdminRights ${LANG_SPANISH} "$(^Name) no ha obtenido los derechos de administrador que necesita para instalarse o desinstalarse para todos los usuarios."
