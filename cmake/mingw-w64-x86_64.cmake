# Cross build for 64-bit Windows with Debian's mingw-w64 compilers (the
# "posix" thread model, which std::thread and std::mutex need). The programs
# are linked statically: one .exe, no DLLs to carry beside it. Tests run
# under Wine (cmake/cross-windows.cmake sets the emulator).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CARTULON_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${CARTULON_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CARTULON_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${CARTULON_MINGW_TRIPLE}-windres)

# Headers and libraries come from the mingw-w64 tree only, never from the
# build machine's own /usr/include or /usr/lib.
set(CMAKE_FIND_ROOT_PATH /usr/${CARTULON_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
