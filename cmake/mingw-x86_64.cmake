# 64-bit Windows (x64), and Debian's 64-bit Wine on machines that cannot execute 32-bit programs.
set(TINTLET_TRIPLET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
