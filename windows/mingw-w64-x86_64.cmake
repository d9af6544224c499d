# SPDX-FileCopyrightText: 2026 The Trezolin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Cross build for 64-bit Windows with Debian's MinGW-w64 (GCC, POSIX threads).
# The programs are linked statically: one .exe that needs no DLL beyond
# Windows' own. They run here under Wine, through wine-run, which keeps a
# Wine prefix of the build's own in the build tree.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_prefix x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_prefix}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libstdc++, libgcc and winpthread go into the program.
# Hardened as Windows' own programs are: ASLR with 64-bit (high entropy)
# addresses, DEP, and the stack protector, whose runtime (libssp) is linked
# in statically like the rest. The PE time stamp stays zero, so that one
# commit always gives the same .exe.
set(CMAKE_C_FLAGS_INIT "-fstack-protector-strong")
set(CMAKE_CXX_FLAGS_INIT "-fstack-protector-strong")
set(CMAKE_EXE_LINKER_FLAGS_INIT
  "-static -fstack-protector-strong -Wl,--dynamicbase,--high-entropy-va,--nxcompat,--no-insert-timestamp")

# Programs of the build (the description tool at build time, the tests) run
# under Wine. CMAKE_BINARY_DIR is the build tree here; in CMake's own
# try-compile projects nothing is run.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run ${CMAKE_BINARY_DIR}/wine)
endif()
