# Cross build for 64-bit Windows with mingw-w64 (posix thread model, fully static).
# Not the win32 model, which would spare the stub winpthread (27 KB): in GCC 12 it has no
# std::mutex, without which GoogleTest does not build for Windows (the i686 build has no tests).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(LUMOR_MINGW_TRIPLE x86_64-w64-mingw32)
set(LUMOR_MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
