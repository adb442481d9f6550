# Cross build for 64-bit Windows with mingw-w64 (win32 thread model, fully static).
# The win32 thread model has no std::thread or std::mutex (GCC 12), which nothing here uses;
# the posix model's winpthread, pulled in by the unwinder and static-local guards, would add
# 27 KB to the stub.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(LUMOR_MINGW_TRIPLE x86_64-w64-mingw32)
set(LUMOR_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
