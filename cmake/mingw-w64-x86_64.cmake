# Cross-builds for 64-bit Windows with Debian's MinGW-w64 compilers (the
# POSIX-threads flavour, which Qt and std::thread need). The libraries built
# for Windows (Qt, SQLite, libpq, libical, ...) live under one prefix, named
# by ROTAWISE_WIN64_PREFIX (a cache variable or the environment variable of
# that name); tools/windows/build-deps.sh makes it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ROTAWISE_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ROTAWISE_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ROTAWISE_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ROTAWISE_MINGW}-windres)
set(CMAKE_AR ${ROTAWISE_MINGW}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${ROTAWISE_MINGW}-gcc-ranlib-posix CACHE FILEPATH "")

if(NOT ROTAWISE_WIN64_PREFIX AND DEFINED ENV{ROTAWISE_WIN64_PREFIX})
  set(ROTAWISE_WIN64_PREFIX "$ENV{ROTAWISE_WIN64_PREFIX}")
endif()
# try_compile projects read this file again; hand the prefix on to them.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ROTAWISE_WIN64_PREFIX)

set(CMAKE_FIND_ROOT_PATH /usr/${ROTAWISE_MINGW})
if(ROTAWISE_WIN64_PREFIX)
  list(PREPEND CMAKE_FIND_ROOT_PATH "${ROTAWISE_WIN64_PREFIX}")
  list(APPEND CMAKE_PREFIX_PATH "${ROTAWISE_WIN64_PREFIX}")
  # pkg-config answers for the Windows libraries, never the Linux ones.
  set(ENV{PKG_CONFIG_LIBDIR} "${ROTAWISE_WIN64_PREFIX}/lib/pkgconfig")
  set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs run under Wine on the Linux machine.
find_program(ROTAWISE_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(ROTAWISE_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ROTAWISE_WINE64})
endif()
