# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (posix threads); tests run through Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KX205_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KX205_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KX205_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KX205_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KX205_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# The runtime is linked statically so the programs need no MinGW DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# CTest starts every Windows test executable through our Wine environment.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tests/env/wine-run)
