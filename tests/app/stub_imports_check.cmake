# cmake -DOBJDUMP=<objdump> -DEXE=<instalator.exe> -P stub_imports_check.cmake
# Fails when the stub's import table names a DLL outside the allowed list: KnownDLLs, which
# the loader maps from the system folder whatever lies beside the program. Others load
# before the program's first line through the default search, the program's folder first:
# msimg32.dll (AlphaBlend; GDI32 exports it as GdiAlphaBlend), or comctl32.dll, whose start-up
# loads the theme DLL by name (the window loads it at run time, common_controls.h).
set(allowed KERNEL32.DLL USER32.DLL GDI32.DLL OLE32.DLL SHELL32.DLL MSVCRT.DLL
            ADVAPI32.DLL OLEAUT32.DLL SHLWAPI.DLL)
if(NOT EXISTS "${EXE}")
  message(FATAL_ERROR "${EXE} is missing: build the instalator target first")
endif()
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${EXE} failed")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
if(NOT lines)
  message(FATAL_ERROR "no import table found in ${EXE}")
endif()
set(names)
set(outside)
foreach(line ${lines})
  string(REGEX REPLACE "DLL Name: *" "" name "${line}")
  string(STRIP "${name}" name)
  string(TOUPPER "${name}" upper)
  list(APPEND names ${name})
  list(FIND allowed ${upper} at)
  if(at EQUAL -1)
    list(APPEND outside ${name})
  endif()
endforeach()
list(REMOVE_DUPLICATES names)
message(STATUS "imports: ${names}")
if(outside)
  message(FATAL_ERROR "the stub imports DLLs a file beside it could replace: ${outside}")
endif()
# No delay-load imports either: they are resolved at first call, through the same search.
if(NOT dump MATCHES "Entry d [0-9a-fA-F]+ 00000000 Delay Import Directory")
  message(FATAL_ERROR "the stub has delay-load imports")
endif()
