# Cross build for 32-bit x86 Windows with Debian's mingw-w64 g++.
#
# Floating point: SSE2 with -mfpmath=sse, so that every product is rounded
# once to a true double, as on x86-64, and never kept in an 80-bit x87
# register.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(VERTIGROW_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
