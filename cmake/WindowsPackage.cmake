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

# Every DLL the program and the plugins import (cmake/WindowsRuntimeDlls.cmake),
# looked for in the libraries' prefix and MinGW's folders.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-libgcc-file-name
                OUTPUT_VARIABLE libgcc OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(ROTAWISE_LIBGCC_DIR "${libgcc}" DIRECTORY)
set(ROTAWISE_DLL_DIRS "${ROTAWISE_WIN64_PREFIX}/bin" "${ROTAWISE_WIN64_PREFIX}/lib"
    "${ROTAWISE_LIBGCC_DIR}" "/usr/${ROTAWISE_MINGW}/lib")
install(CODE "
  set(ROTAWISE_BUILD_DIR \"${CMAKE_BINARY_DIR}\")
  set(ROTAWISE_DLL_DIRS \"${ROTAWISE_DLL_DIRS}\")
  set(ROTAWISE_PLUGIN_FILES \"${ROTAWISE_PLUGIN_FILES}\")
  set(ROTAWISE_OBJDUMP ${ROTAWISE_MINGW}-objdump)
")
install(SCRIPT ${CMAKE_SOURCE_DIR}/cmake/WindowsRuntimeDlls.cmake)

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
