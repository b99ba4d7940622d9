# Cross-compile for 32-bit Windows with Debian's g++-mingw-w64-i686.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(LAMINO_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)

# SSE2 doubles rather than the x87's 80-bit registers, so every result is a
# rounded 53-bit double and matches the x86-64 builds digit for digit.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
