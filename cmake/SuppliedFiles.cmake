# The files an installation supplies, and where they go. The build folder
# holds them as an installed tree does (share/rotawise/), so the program finds
# them the same way whether it runs from build/ or from bin/ of any prefix;
# nothing about the source or build folder is compiled into it.
include(GNUInstallDirs)

set(ROTAWISE_APP_ID org.rotawise.Rotawise)
set(ROTAWISE_SUPPLIED_NAMES DAYS.IGH TIMES.IGH AREATIME.IGH WEEKDAYS.IGH EMPLOYEE.HLP
    clouds.bmp employee.bmp)
set(ROTAWISE_STAGED_DIR ${CMAKE_BINARY_DIR}/share/rotawise)
set(ROTAWISE_EMPTY_DB ${ROTAWISE_STAGED_DIR}/employee.mdb)

set(staged)
foreach(name ${ROTAWISE_SUPPLIED_NAMES})
  add_custom_command(OUTPUT ${ROTAWISE_STAGED_DIR}/${name}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/install/${name} ${ROTAWISE_STAGED_DIR}/${name}
    DEPENDS ${CMAKE_SOURCE_DIR}/install/${name})
  list(APPEND staged ${ROTAWISE_STAGED_DIR}/${name})
endforeach()

# The empty employee database, made from its schema.
find_program(SQLITE3 sqlite3 REQUIRED)
add_custom_command(OUTPUT ${ROTAWISE_EMPTY_DB}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ROTAWISE_STAGED_DIR}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${ROTAWISE_EMPTY_DB}
  COMMAND ${SQLITE3} ${ROTAWISE_EMPTY_DB} < ${CMAKE_SOURCE_DIR}/install/schema.sql
  DEPENDS ${CMAKE_SOURCE_DIR}/install/schema.sql
  COMMENT "Making the empty employee.mdb")

if(WIN32)
  # A Windows program keeps everything in its own folder: rotawise.exe at
  # the top, the supplied files in share/rotawise beside it.
  add_custom_target(supplied_files ALL DEPENDS ${staged} ${ROTAWISE_EMPTY_DB})
  install(TARGETS rotawise RUNTIME DESTINATION .)
  install(FILES ${staged} ${ROTAWISE_EMPTY_DB} DESTINATION share/rotawise)
  return()
endif()

# The manual page and the change log are installed compressed, without a
# time stamp, as Debian wants them.
set(ROTAWISE_MAN_GZ ${CMAKE_BINARY_DIR}/doc/rotawise.1.gz)
set(ROTAWISE_CHANGELOG_GZ ${CMAKE_BINARY_DIR}/doc/changelog.gz)
add_custom_command(OUTPUT ${ROTAWISE_MAN_GZ} ${ROTAWISE_CHANGELOG_GZ}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
  COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/install/rotawise.1 > ${ROTAWISE_MAN_GZ}
  COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/install/changelog > ${ROTAWISE_CHANGELOG_GZ}
  DEPENDS ${CMAKE_SOURCE_DIR}/install/rotawise.1 ${CMAKE_SOURCE_DIR}/install/changelog)

add_custom_target(supplied_files ALL
  DEPENDS ${staged} ${ROTAWISE_EMPTY_DB} ${ROTAWISE_MAN_GZ} ${ROTAWISE_CHANGELOG_GZ})

install(TARGETS rotawise RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${staged} ${ROTAWISE_EMPTY_DB} DESTINATION ${CMAKE_INSTALL_DATADIR}/rotawise)
install(FILES install/rotawise.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        RENAME ${ROTAWISE_APP_ID}.desktop)
install(FILES install/rotawise.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME ${ROTAWISE_APP_ID}.metainfo.xml)
# The 96-pixel icon is the one built into the program (install/rotawise.png).
foreach(size 16 22 24 32 48 64 96 128 256)
  set(icon install/icons/rotawise-${size}.png)
  if(size EQUAL 96)
    set(icon install/rotawise.png)
  endif()
  install(FILES ${icon}
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME rotawise.png)
endforeach()
install(FILES install/icons/rotawise.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${ROTAWISE_MAN_GZ} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${ROTAWISE_CHANGELOG_GZ} install/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/rotawise)
