# Cross build for Windows (i686) with Debian's mingw-w64:
#   cmake -S . -B build-windows32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake
# The 32-bit programs run from Windows XP (5.1) on.
set(KALMAR_MINGW_ARCH i686)
set(KALMAR_WINNT 0x0501)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
