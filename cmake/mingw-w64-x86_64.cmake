# Cross build for 64-bit Windows with mingw-w64 (posix thread model, fully static).
# Not the win32 model: in GCC 12 it has no std::mutex, without which GoogleTest does not build
# for Windows (the i686 build has no tests). The stub alone links the win32 model's runtime
# (app/win32/CMakeLists.txt), which spares it winpthread.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(LUMOR_MINGW_TRIPLE x86_64-w64-mingw32)
set(LUMOR_MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# The win32 model's libstdc++ and libgcc, beside the posix ones (/usr/lib/gcc/TRIPLE/12-win32).
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-libgcc-file-name
  OUTPUT_VARIABLE lumor_libgcc OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(lumor_runtime_dir "${lumor_libgcc}" DIRECTORY)
string(REGEX REPLACE "-posix$" "-win32" LUMOR_STUB_RUNTIME_DIR "${lumor_runtime_dir}")
if(NOT EXISTS "${LUMOR_STUB_RUNTIME_DIR}/libstdc++.a")
  message(FATAL_ERROR "no win32-model libstdc++ in ${LUMOR_STUB_RUNTIME_DIR} (g++-mingw-w64-x86-64-win32)")
endif()
