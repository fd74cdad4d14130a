# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (the POSIX thread model, which
# std::thread and Qt need). TOLVEMAR_WINDOWS_PREFIXES (a CMake list, or the environment
# variable of that name) gives the folders of the libraries built for Windows: libraries and
# headers are looked for there and in MinGW's own root only.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${_triple}-windres)
set(CMAKE_AR ${_triple}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${_triple}-gcc-ranlib-posix CACHE FILEPATH "")

if(NOT TOLVEMAR_WINDOWS_PREFIXES)
    set(TOLVEMAR_WINDOWS_PREFIXES "$ENV{TOLVEMAR_WINDOWS_PREFIXES}")
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${_triple} ${TOLVEMAR_WINDOWS_PREFIXES})
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TOLVEMAR_WINDOWS_PREFIXES)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
