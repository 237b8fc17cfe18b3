# The Windows installation: rotawise.exe with every DLL it needs beside it
# (Qt's, the plugins Qt loads at run time, SQLite, libpq with OpenSSL,
# libical, libxlsxwriter, mdbtools and MinGW's own runtime), and CPack's
# NSIS installer (setup.exe: a Start menu entry with the icon, an
# uninstaller, a silent install with /S) and a portable ZIP of the same
# folder. package-windows.sh runs it on a Release build.

# Qt looks for its plugins beside the program, not where it was built.
install(FILES ${CMAKE_SOURCE_DIR}/install/windows/qt.conf DESTINATION .)
foreach(plugin QWindowsIntegrationPlugin QWindowsVistaStylePlugin QSQLiteDriverPlugin
               QPSQLDriverPlugin)
  if(TARGET Qt6::${plugin})
    get_target_property(kind Qt6::${plugin} QT_PLUGIN_TYPE)
    install(FILES $<TARGET_FILE:Qt6::${plugin}> DESTINATION ${kind})
    list(APPEND ROTAWISE_PLUGIN_FILES "${kind}/$<TARGET_FILE_NAME:Qt6::${plugin}>")
  else()
    message(WARNING "Qt has no ${plugin}; the Windows installation will lack it")
  endif()
endforeach()

# Every DLL the program and the plugins import, found in the libraries'
# prefix and MinGW's folders; Windows' own DLLs are left out.
get_filename_component(ROTAWISE_GCC_DIR ${CMAKE_CXX_COMPILER} DIRECTORY)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-libgcc-file-name
                OUTPUT_VARIABLE libgcc OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(ROTAWISE_LIBGCC_DIR "${libgcc}" DIRECTORY)
set(ROTAWISE_DLL_DIRS "${ROTAWISE_WIN64_PREFIX}/bin" "${ROTAWISE_WIN64_PREFIX}/lib"
    "${ROTAWISE_LIBGCC_DIR}" "/usr/${ROTAWISE_MINGW}/lib")
install(CODE "
  set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
  set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
  set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND ${ROTAWISE_MINGW}-objdump)
  set(root \"\${CMAKE_INSTALL_PREFIX}\")
  set(modules)
  foreach(plugin ${ROTAWISE_PLUGIN_FILES})
    list(APPEND modules \"\${root}/\${plugin}\")
  endforeach()
  file(GET_RUNTIME_DEPENDENCIES
    EXECUTABLES \"\${root}/rotawise.exe\"
    MODULES \${modules}
    DIRECTORIES ${ROTAWISE_DLL_DIRS}
    RESOLVED_DEPENDENCIES_VAR found
    UNRESOLVED_DEPENDENCIES_VAR system
    PRE_EXCLUDE_REGEXES \"^api-ms-\" \"^ext-ms-\")
  foreach(dll \${found})
    file(INSTALL \"\${dll}\" DESTINATION \"\${root}\" FOLLOW_SYMLINK_CHAIN)
  endforeach()
  list(JOIN system \", \" system)
  message(STATUS \"Left to Windows: \${system}\")
")

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME Rotawise)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Rotawise developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Plan and print weekly staff schedules")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Rotawise)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Rotawise)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_SOURCE_DIR}/dist)
set(CPACK_PACKAGE_FILE_NAME rotawise-${PROJECT_VERSION}-win64)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_EXECUTABLES rotawise Rotawise)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/install/copyright)
# A 64-bit installer into C:\Program Files (the default one is 32-bit).
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME Rotawise)
set(CPACK_NSIS_DISPLAY_NAME Rotawise)
set(CPACK_NSIS_MUI_ICON ${CMAKE_SOURCE_DIR}/install/windows/rotawise.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_SOURCE_DIR}/install/windows/rotawise.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME rotawise.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MUI_FINISHPAGE_RUN rotawise.exe)
# setup.exe and the ZIP differ in name: the installer says what it is.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/cmake/WindowsPackageNames.cmake)
include(CPack)
