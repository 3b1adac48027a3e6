# Installing Tumbra under a prefix, in the usual places: the launcher in bin/, the program
# in libexec/tumbra/, the shared pictures, sounds, music and default config.ini in
# share/tumbra/, the desktop entry, the icon, the manual page and the metainfo in
# share/applications/, share/icons/hicolor/, share/man/man6/ and share/metainfo/. The
# Debian package is made from this install.
#
# The game opens its files relative to its current directory, so `tumbra` on PATH and in
# the desktop entry is the launcher, which prepares the player's own folder and runs the
# program there; the program itself stays out of PATH, where starting it would only end
# in "Could not read configuration file".
include(GNUInstallDirs)

# Everything the install lays out that a build makes. A build folder made by ./play.sh has
# only the game in it, and `cmake --install` builds nothing by itself, so the install
# first builds this target (nothing to do when it is up to date); ./package.sh builds it
# and nothing else. Installing never waits for the tests and benchmarks.
add_custom_target(tumbra_installed)
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)
install(CODE "
  execute_process(COMMAND \"${CMAKE_COMMAND}\" --build \"${CMAKE_BINARY_DIR}\" --target tumbra_installed
                  RESULT_VARIABLE built)
  if(NOT built EQUAL 0)
    message(FATAL_ERROR \"Building what the install holds failed\")
  endif()")

# The shared data is generated afresh into a folder of its own rather than copied from the
# run folder: that is where developers play, and its config.ini and music/ may hold their
# own settings and songs.
set(TUMBRA_SHARED_DATA ${CMAKE_BINARY_DIR}/shared_data)
set(shared_data_stamp ${CMAKE_BINARY_DIR}/shared_data.stamp)
add_custom_command(
  OUTPUT ${shared_data_stamp}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${TUMBRA_SHARED_DATA}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:tumbra_gen_data> ${TUMBRA_SHARED_DATA}
  COMMAND ${CMAKE_COMMAND} -E touch ${shared_data_stamp}
  DEPENDS tumbra_gen_data
  COMMENT "Generating the game's data for installing"
  VERBATIM)
add_custom_target(tumbra_shared_data ALL DEPENDS ${shared_data_stamp})

# The manual page, compressed as Debian keeps them.
set(manual ${CMAKE_BINARY_DIR}/manual/tumbra.6)
configure_file(${CMAKE_CURRENT_LIST_DIR}/tumbra.6.in ${manual} @ONLY)
add_custom_command(
  OUTPUT ${manual}.gz
  COMMAND gzip -9nkf ${manual}
  DEPENDS ${manual}
  VERBATIM)
add_custom_target(tumbra_manual ALL DEPENDS ${manual}.gz)

add_dependencies(tumbra_installed tumbra tumbra-server tumbra_data tumbra_shared_data tumbra_manual)

set(program_dir ${CMAKE_INSTALL_LIBEXECDIR}/tumbra)
set(data_dir ${CMAKE_INSTALL_DATADIR}/tumbra)
install(TARGETS tumbra RUNTIME DESTINATION ${program_dir})
install(DIRECTORY ${TUMBRA_SHARED_DATA}/bmps ${TUMBRA_SHARED_DATA}/wavs ${TUMBRA_SHARED_DATA}/music
        DESTINATION ${data_dir})
install(FILES ${TUMBRA_SHARED_DATA}/config.ini DESTINATION ${data_dir})

# The launcher finds the program and the data relative to itself, so that a prefix given
# only at install time (cmake --install --prefix) or a moved install still works.
file(RELATIVE_PATH TUMBRA_PROGRAM_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_LIBEXECDIR}/tumbra/tumbra)
file(RELATIVE_PATH TUMBRA_DATA_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/tumbra)
configure_file(${CMAKE_CURRENT_LIST_DIR}/tumbra.in ${CMAKE_BINARY_DIR}/launcher/tumbra @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/launcher/tumbra DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${CMAKE_CURRENT_LIST_DIR}/tumbra.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${manual}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
# What software centres show of the game, under a reverse-DNS id of our own.
set(TUMBRA_APP_ID example.tumbra.Tumbra)
set(TUMBRA_METAINFO ${CMAKE_BINARY_DIR}/metainfo/${TUMBRA_APP_ID}.metainfo.xml)
configure_file(${CMAKE_CURRENT_LIST_DIR}/tumbra.metainfo.xml.in ${TUMBRA_METAINFO} @ONLY)
install(FILES ${TUMBRA_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The licence, where Debian keeps every package's own.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tumbra
        RENAME copyright)
foreach(size 256 64 32)
  install(FILES ${CMAKE_BINARY_DIR}/icons/tumbra_${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME tumbra.png)
endforeach()

include(${CMAKE_CURRENT_LIST_DIR}/server.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/debian_package.cmake)
