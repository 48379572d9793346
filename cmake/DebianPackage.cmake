# The Debian package rezov_<version>_amd64.deb, made by CPack (`cpack` in
# the build folder; scripts/package.sh) from these install rules: the tool
# in /usr/bin, Rezov.so in /usr/lib/rezov, where the tool looks for it
# (../lib/rezov from its own folder), the manual page and the licence.

# Debian wants manual pages compressed with gzip -9n (no name, no time), so
# the same page gives the same bytes.
find_program(REZOV_GZIP gzip REQUIRED)
set(REZOV_MAN_PAGE ${PROJECT_BINARY_DIR}/man/rezov.1)
add_custom_command(OUTPUT ${REZOV_MAN_PAGE}.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/rezov.1 ${REZOV_MAN_PAGE}
  COMMAND ${REZOV_GZIP} -9nf ${REZOV_MAN_PAGE}
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/rezov.1
  COMMENT "Compressing the manual page rezov.1"
  VERBATIM)
add_custom_target(rezov_man_page ALL DEPENDS ${REZOV_MAN_PAGE}.gz)

install(TARGETS rezov RUNTIME DESTINATION bin)
# A module is loaded, never run: no execute bit, as Debian has it for
# shared libraries.
install(TARGETS Rezov LIBRARY DESTINATION lib/rezov
  PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(FILES ${REZOV_MAN_PAGE}.gz DESTINATION share/man/man1)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION share/doc/rezov RENAME copyright)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rezov)
set(CPACK_PACKAGE_VENDOR "The Rezov developers")
set(CPACK_PACKAGE_CONTACT "The Rezov developers <rezov@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "score Championship of Moscow contest logs (ADIF, Cabrillo)")
set(CPACK_PACKAGE_DESCRIPTION
  "rezov replays an operator's ADIF or Cabrillo log through Rezov.so, the
scoring module of the Championship of Moscow (Cabrillo contest id MSK),
calling it as the logging program does. It prints the score summary
(contacts, points, the MA, OBL and Grid multipliers and the score), writes
the Cabrillo log, and answers whether a call may be worked now.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
# dpkg-shlibdeps (dpkg-dev) names the libraries the tool and the module
# link; the country file only makes the tool better, so it is recommended.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS hamradio-files)
include(CPack)
