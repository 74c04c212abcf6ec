# 32-bit Windows (x86): runs on every Windows, and under Debian's 32-bit Wine.
set(TINTLET_TRIPLET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
