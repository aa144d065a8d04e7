# Cross-compiles the Windows targets with Debian's mingw-w64 and runs them through Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CORVISANT_MINGW_HOST x86_64-w64-mingw32)
# The posix thread model: GoogleTest and the C++ library need std::mutex.
set(CMAKE_C_COMPILER ${CORVISANT_MINGW_HOST}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CORVISANT_MINGW_HOST}-g++-posix)
set(CMAKE_RC_COMPILER ${CORVISANT_MINGW_HOST}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${CORVISANT_MINGW_HOST})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained executable each: no mingw runtime DLLs to ship into the Wine prefix.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
