# cmake/mingw-i686.cmake: 32-bit Windows (i686) with Debian's mingw-w64, posix thread model.
#
# The posix model is needed because the win32 model of Debian's GCC 12 declares no
# std::mutex, and GoogleTest does not build without it. Its winpthread imports
# GetTickCount64, which XP lacks; every program links s/base/win/XpTickCount.c for that.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TOOLCHAIN_PREFIX i686-w64-mingw32)

set(CMAKE_C_COMPILER   ${TOOLCHAIN_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${TOOLCHAIN_PREFIX}-windres)
set(CMAKE_AR           ${TOOLCHAIN_PREFIX}-gcc-ar-posix)
set(CMAKE_RANLIB       ${TOOLCHAIN_PREFIX}-gcc-ranlib-posix)

# Extra roots (libraries built by tools/setup) may be given with -DMINGW_DEPS_PREFIX=path.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES MINGW_DEPS_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX} ${MINGW_DEPS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Fully static: a program then imports only system DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# ctest runs test programs through the Wine session's wrapper.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-exec)
