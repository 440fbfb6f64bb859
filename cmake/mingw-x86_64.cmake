# Cross build for 64-bit x86 Windows with Debian's mingw-w64 g++.
#
# The win32-thread variant of the compiler is used: the tool starts no
# threads, and this variant needs no winpthread library; C++20 <filesystem>
# builds with it. Everything is linked statically, so the .exe imports
# nothing beyond KERNEL32.dll and msvcrt.dll. x86-64 computes with SSE2
# already.
#
# The build runs under wine64 (tests/compare/ and scripts/check-windows.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(VERTIGROW_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_CXX_COMPILER ${VERTIGROW_MINGW_TRIPLET}-g++-win32)
set(CMAKE_RC_COMPILER ${VERTIGROW_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VERTIGROW_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
