# Run by `cmake --install` of the Windows build: copies beside rotawise.exe
# every DLL that it and its plugins import, found in ROTAWISE_DLL_DIRS;
# Windows' own DLLs are left out.
#
# A PE file names its imports in any case ("Qt6Core.dll") and CMake
# compares them lower-cased, while this machine's folders are
# case-sensitive: each DLL is first given a lower-case name (a link in a
# folder of the build), and the real file is installed under its own name.
set(root "${CMAKE_INSTALL_PREFIX}")
set(names "${ROTAWISE_BUILD_DIR}/dll-names")
file(REMOVE_RECURSE "${names}")
file(MAKE_DIRECTORY "${names}")
foreach(dir IN LISTS ROTAWISE_DLL_DIRS)
  file(GLOB dlls "${dir}/*.dll" "${dir}/*.DLL")
  foreach(dll IN LISTS dlls)
    get_filename_component(name "${dll}" NAME)
    string(TOLOWER "${name}" lower)
    if(NOT EXISTS "${names}/${lower}")
      file(CREATE_LINK "${dll}" "${names}/${lower}" SYMBOLIC)
    endif()
  endforeach()
endforeach()

set(modules)
foreach(plugin IN LISTS ROTAWISE_PLUGIN_FILES)
  list(APPEND modules "${root}/${plugin}")
endforeach()
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND "${ROTAWISE_OBJDUMP}")
file(GET_RUNTIME_DEPENDENCIES
  EXECUTABLES "${root}/rotawise.exe"
  MODULES ${modules}
  DIRECTORIES "${names}"
  RESOLVED_DEPENDENCIES_VAR found
  UNRESOLVED_DEPENDENCIES_VAR system
  PRE_EXCLUDE_REGEXES "^api-ms-" "^ext-ms-")
foreach(dll IN LISTS found)
  get_filename_component(real "${dll}" REALPATH)
  file(INSTALL "${real}" DESTINATION "${root}")
endforeach()
list(JOIN system ", " system)
message(STATUS "Left to Windows: ${system}")
