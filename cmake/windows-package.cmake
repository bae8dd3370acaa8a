# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The Windows packages, made by `cpack` in the Windows build: an installer
# (NSIS), for the current user or for all users, with a Start-menu shortcut
# and an uninstaller in Apps & features; and a portable ZIP of the program
# and its licence.
# Both unsigned.
set(CPACK_GENERATOR "NSIS;ZIP")
set(CPACK_PACKAGE_NAME tacolina)
set(CPACK_PACKAGE_VENDOR "Tacolina developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "A painting toy: coloured dots at random")
set(CPACK_PACKAGE_FILE_NAME tacolina-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Tacolina)
# The uninstall entry's key: the same for every version, so that a newer
# one installs over an older one instead of beside it.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY ${TACOLINA_APP_ID})

# Our own installer script (NSIS.template.in beside this file): CPack's own
# asks for a Start-menu folder and about PATH, falls back to Documents when
# not run as an administrator, adds an Uninstall shortcut and leaves a key
# under Software\<vendor> behind when uninstalling.
set(CPACK_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
set(tacolina_display_name "Tacolina ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
set(CPACK_NSIS_PACKAGE_NAME ${tacolina_display_name})
set(CPACK_NSIS_DISPLAY_NAME ${tacolina_display_name})
set(CPACK_NSIS_INSTALLED_ICON_NAME tacolina.exe)
set(CPACK_TACOLINA_APP_ID ${TACOLINA_APP_ID})
# The licence page shows the text installed as COPYING.txt; the installer's
# own texts in its languages.
set(CPACK_TACOLINA_LICENSE ${PROJECT_SOURCE_DIR}/LICENSES/GPL-3.0-or-later.txt)
set(CPACK_TACOLINA_NSIS_TEXTS ${CMAKE_CURRENT_LIST_DIR}/NSIS.texts.nsh)
# A 64-bit installer, as the program is: it writes to the 64-bit Program
# Files and registry without redirection, and runs where a 32-bit one may
# not (Windows on ARM without x86 emulation, Wine without WoW64).
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
set(tacolina_ico ${PROJECT_BINARY_DIR}/src/platform/win32/tacolina.ico)
set(CPACK_NSIS_MUI_ICON ${tacolina_ico})
set(CPACK_NSIS_MUI_UNIICON ${tacolina_ico})

include(CPack)
