# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the web page's WebAssembly with Debian's LLVM 19 (clang-19, lld-19,
# libc++-19-dev-wasm32, libclang-rt-19-dev-wasm32 and wasi-libc): a WASI
# reactor, whose exports the page's script calls, with no exceptions, which
# that C++ library is built without.
set(CMAKE_SYSTEM_NAME WASI)
# cmake/Platform/WASI.cmake, for a CMake that does not know the system.
list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CMAKE_C_COMPILER clang-19)
set(CMAKE_CXX_COMPILER clang++-19)
set(CMAKE_C_COMPILER_TARGET wasm32-wasi)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
set(CMAKE_CXX_FLAGS_INIT "-fno-exceptions")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-mexec-model=reactor")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# No archiver comes with these packages: the checks compile to objects, and
# the libraries are object libraries (src/CMakeLists.txt).
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
