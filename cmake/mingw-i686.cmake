# Cross build for 32-bit x86 Windows with Debian's mingw-w64 g++.
#
# The win32-thread variant of the compiler is used: the tool starts no
# threads, and this variant needs no winpthread library; C++20 <filesystem>
# builds with it. Everything is linked statically, so the .exe imports
# nothing beyond KERNEL32.dll and msvcrt.dll.
#
# Floating point: SSE2 with -mfpmath=sse, so that every product is rounded
# once to a true double, as on x86-64, and never kept in an 80-bit x87
# register.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(VERTIGROW_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_CXX_COMPILER ${VERTIGROW_MINGW_TRIPLET}-g++-win32)
set(CMAKE_RC_COMPILER ${VERTIGROW_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VERTIGROW_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
