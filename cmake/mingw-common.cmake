# What both Windows cross builds share; the toolchain file that includes this
# sets VERTIGROW_MINGW_TRIPLET and CMAKE_SYSTEM_PROCESSOR first.
#
# The win32-thread variant of the compiler is used: the tool starts no
# threads, and this variant needs no winpthread library; C++20 <filesystem>
# builds with it. Everything is linked statically, so the .exe imports
# nothing beyond KERNEL32.dll and msvcrt.dll.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_CXX_COMPILER ${VERTIGROW_MINGW_TRIPLET}-g++-win32)
set(CMAKE_RC_COMPILER ${VERTIGROW_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VERTIGROW_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
