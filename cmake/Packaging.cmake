# The Debian package, made by CPack from the install() rules (package.sh runs
# it on a stripped Release build). Its dependencies are worked out from the
# shared libraries the program links; the Qt SQLite driver, a plugin loaded
# at run time, is named by hand, since no linked library tells of it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rotawise)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Rotawise developers")
set(CPACK_PACKAGE_CONTACT "Rotawise developers <rotawise@rotawise.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "plan and print weekly staff schedules")
set(CPACK_PACKAGE_DESCRIPTION
  "Rotawise plans and prints the weekly staff schedules of a small or medium\n"
  "business. A manager sets up the work areas and job descriptions, enters each\n"
  "employee's week (days, hours, split shifts, areas), and prints a one-page\n"
  "schedule per area, previews it on screen, and prints a staff roster. The\n"
  "program also compacts, repairs and backs up its employee database.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_INSTALL_DIRECTORY /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_SOURCE_DIR}/dist)

set(CPACK_DEBIAN_PACKAGE_NAME rotawise)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite")
# Qt's PostgreSQL driver, for a staff list kept on a database server (a
# single PC keeps it in employee.mdb and needs none).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, libqt6sql6-psql")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
