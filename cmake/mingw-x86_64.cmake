# Cross build for 64-bit x86 Windows with Debian's mingw-w64 g++. x86-64
# computes with SSE2 already. The build runs under wine64 (tests/compare/ and
# scripts/check-windows.sh).
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(VERTIGROW_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
