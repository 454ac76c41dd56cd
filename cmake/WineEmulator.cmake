# Windows programs built here (the tests) run under wine through scripts/wine-run: one wine prefix
# per build tree, and the folders of the DLLs they need (the Qt kit's, the GCC runtime's) on wine's
# search path, so that test programs run straight from the build tree.

# The GCC runtime DLLs, wherever this compiler keeps them.
set(MAROVIA_RUNTIME_DLLS)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${found}" OR NOT EXISTS "${found}")
    message(FATAL_ERROR "The mingw-w64 runtime ${dll} was not found (${CMAKE_CXX_COMPILER} -print-file-name)")
  endif()
  list(APPEND MAROVIA_RUNTIME_DLLS ${found})
endforeach()

# The kit's DLLs and plugins, from where its CMake package was found.
get_filename_component(MAROVIA_QT_KIT "${Qt6_DIR}/../../.." ABSOLUTE)

set(dll_folders ${MAROVIA_QT_KIT}/bin)
foreach(dll ${MAROVIA_RUNTIME_DLLS})
  get_filename_component(folder ${dll} DIRECTORY)
  list(APPEND dll_folders ${folder})
endforeach()
list(REMOVE_DUPLICATES dll_folders)

set(emulator ${PROJECT_SOURCE_DIR}/scripts/wine-run --prefix ${CMAKE_BINARY_DIR}/wineprefix
    --plugins ${MAROVIA_QT_KIT}/plugins)
foreach(folder ${dll_folders})
  list(APPEND emulator --dlls ${folder})
endforeach()
set(CMAKE_CROSSCOMPILING_EMULATOR ${emulator} --)
