set(CMAKE_C_COMPILER ${ZINTU_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZINTU_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZINTU_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ZINTU_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Everything linked in: only Windows' own DLLs beside the executable.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# A small product: unused code dropped, symbols stripped.
set(CMAKE_CXX_FLAGS_MINSIZEREL_INIT "-Os -DNDEBUG -ffunction-sections -fdata-sections")
set(CMAKE_EXE_LINKER_FLAGS_MINSIZEREL_INIT "-s -Wl,--gc-sections")
