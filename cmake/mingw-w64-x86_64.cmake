# Cross build for 64-bit Windows with Debian's mingw-w64, run under Wine.
# The posix thread model: the win32 one has no std::thread or std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MOZARU_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MOZARU_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MOZARU_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${MOZARU_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MOZARU_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Libraries built for Windows elsewhere (scripts/windows-deps's prefix, named in
# CMAKE_PREFIX_PATH) are roots too, and pkg-config reads only their .pc files,
# never the Linux ones.
list(APPEND CMAKE_FIND_ROOT_PATH ${CMAKE_PREFIX_PATH})
list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)
set(MOZARU_PKG_CONFIG_LIBDIR ${CMAKE_PREFIX_PATH})
list(TRANSFORM MOZARU_PKG_CONFIG_LIBDIR APPEND /lib/pkgconfig)
string(REPLACE ";" ":" MOZARU_PKG_CONFIG_LIBDIR "${MOZARU_PKG_CONFIG_LIBDIR}")
set(ENV{PKG_CONFIG_LIBDIR} "${MOZARU_PKG_CONFIG_LIBDIR}")
set(ENV{PKG_CONFIG_PATH} "")

# Qt for Windows runs Debian's moc, rcc and uic, which must be its version.
set(QT_HOST_PATH /usr CACHE PATH "Where the host's Qt tools are")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "The host Qt's CMake packages")

# Programs that need no DLLs beside them: the tests run straight from the build folder.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Every program runs under Wine, in a prefix of its own inside the build folder.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run;${CMAKE_BINARY_DIR}/wine")
