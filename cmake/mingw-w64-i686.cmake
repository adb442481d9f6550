# Cross build for 32-bit Windows with mingw-w64 (win32 thread model, fully static).
# The win32 thread model has no std::thread or std::mutex (GCC 12), which nothing here uses;
# the posix model's winpthread would add 26 KB that the i686 stub, larger than the x86_64 one
# by its DWARF unwind tables and unwinder, cannot spare within 512 KiB.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(LUMOR_MINGW_TRIPLE i686-w64-mingw32)
set(LUMOR_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
