# Cross-compile for 64-bit Windows with Debian's g++-mingw-w64-x86-64: not
# shipped; the Windows tests compile it for the faults that depend on the
# size of a pointer.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(LAMINO_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
