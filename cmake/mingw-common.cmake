# Debian's posix thread model of mingw-w64 has std::thread, which GoogleTest wants for the
# Wine test driver; the program itself uses no threads.
set(CMAKE_C_COMPILER ${ORVELLE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVELLE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ORVELLE_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ORVELLE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Tests of the Windows build run under Wine; the wrapper finds the launcher and the prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
