# What both mingw-w64 toolchains share; KALMAR_MINGW_ARCH is x86_64 or i686.
# The win32-threads compilers (Debian's g++-mingw-w64-*-win32): the programs
# start no threads of their own, and these compilers leave out libwinpthread,
# whose static copy imports GetTickCount64 and so would not start on
# Windows XP. KALMAR_WINNT is the oldest Windows the headers declare calls
# for (set by the architecture's file): a newer call fails to compile
# instead of failing to load.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${KALMAR_MINGW_ARCH})
set(CMAKE_C_COMPILER ${KALMAR_MINGW_ARCH}-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER ${KALMAR_MINGW_ARCH}-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER ${KALMAR_MINGW_ARCH}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KALMAR_MINGW_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(kalmar_winnt "-D_WIN32_WINNT=${KALMAR_WINNT} -DWINVER=${KALMAR_WINNT}")
set(CMAKE_C_FLAGS_INIT "${kalmar_winnt}")
# Their C++ library (GCC 12) has no std::thread, std::mutex or
# std::condition_variable: threads, where a program needs one, are Windows'
# own.
set(CMAKE_CXX_FLAGS_INIT "${kalmar_winnt}")
set(CMAKE_RC_FLAGS_INIT "${kalmar_winnt}")
# One self-contained .exe: no MinGW runtime DLLs to carry beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
