# Shared part of the mingw-w64 toolchain files.
set(CMAKE_C_COMPILER ${LUMOR_MINGW_TRIPLE}-gcc-${LUMOR_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${LUMOR_MINGW_TRIPLE}-g++-${LUMOR_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${LUMOR_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${LUMOR_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(ZLIB_USE_STATIC_LIBS ON)
# Every object in its own section (and every C function), so the linker drops what nothing
# reaches (including the thousands of GUIDs of libuuid, of which the stub needs three).
# LTO for the stub alone (LUMOR_STUB_LTO, cmake/Lumor.cmake and app/win32/CMakeLists.txt):
# every object carries both its LTO bytecode and ordinary code (fat), so the tests and the
# other programs link the ordinary code as before, and the stub's link optimises across
# files (95 KB less). In one partition: split into several, Debian's mingw GCC 12 stops with
# an internal compiler error (binds_to_current_def_p).
set(LUMOR_STUB_LTO ON)
# C++ is compiled without -ffunction-sections: all of it reaches the stub through LTO, which
# drops what nothing calls by itself, and a COFF section per function aligns every function
# to 16 bytes (11 KB of the stub). IPA-SRA and IPA-CP clones stay on: with LTO they make the
# stub smaller (2 KB), where without it they copied library templates into every file.
# Without run-time type information: its type descriptions and names, the casting code of the
# runtime and what std::function and shared_ptr keep for it were 10 KB of each stub. Code
# asks a component's kind (toolkit::controlAs) and tells errors apart by catching them.
# The flags are read at the first configure: an existing build folder needs `cmake --fresh`.
set(CMAKE_C_FLAGS_INIT "-ffunction-sections -fdata-sections")
set(CMAKE_CXX_FLAGS_INIT "-fdata-sections -fno-rtti")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--gc-sections")
# -municode (wmain entry) is set on the program targets only; test executables keep main.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
