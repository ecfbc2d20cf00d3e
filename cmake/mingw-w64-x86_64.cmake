# Cross build for Windows (x86_64) with Debian's mingw-w64:
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# The 64-bit programs run from Windows XP x64 Edition (5.2) on.
set(KALMAR_MINGW_ARCH x86_64)
set(KALMAR_WINNT 0x0502)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
