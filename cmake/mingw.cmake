# Cross build for Windows with Debian's MinGW-w64 (posix threads, which std::mutex needs).
# Included by the toolchain file of each architecture, which sets TINTLET_TRIPLET first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${TINTLET_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TINTLET_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TINTLET_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TINTLET_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
