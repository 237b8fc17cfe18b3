# Read by CPack for each of its generators: the installer is called
# rotawise-<version>-win64-setup.exe, the portable folder rotawise-<version>-win64.zip.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
