# Shared part of the MinGW-w64 toolchain files; HEAPFOLD_MINGW_TRIPLE is set by
# the including file. The posix flavour of the compiler gives std::thread and
# std::mutex; its winpthreads runtime is linked statically.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${HEAPFOLD_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${HEAPFOLD_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${HEAPFOLD_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${HEAPFOLD_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Test executables run under Wine through this launcher.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run)
