# 64-bit Windows, and the build tested where the kernel refuses 32-bit code.
set(QV_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
