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

# Programs that need no DLLs beside them: the tests run straight from the build folder.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Every program runs under Wine, in a prefix of its own inside the build folder.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run;${CMAKE_BINARY_DIR}/wine")
