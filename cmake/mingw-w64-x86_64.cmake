# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Cross-builds the Windows program on Linux with mingw-w64 (Debian's
# g++-mingw-w64-x86-64-posix). The C and C++ runtimes are linked statically,
# so the program needs nothing beyond Windows's own DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(tacolina_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${tacolina_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${tacolina_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${tacolina_mingw}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${tacolina_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
