# Installation as a desktop program, and the Debian package made from it.
#   cmake --install build/release --prefix /usr/local
#   cd build/release && cpack            (builds ventrose_<version>_<arch>.deb)
include(GNUInstallDirs)

set(VENTROSE_MAINTAINER "Ventrose developers <dev@ventrose.example>"
    CACHE STRING "The Debian package's maintainer and changelog signer: \"Name <address>\"")
if(NOT VENTROSE_MAINTAINER MATCHES "^[^<>@]+ <[^<>@ ]+@[^<>@ ]+\\.[^<>@ .]+>$"
   OR VENTROSE_MAINTAINER MATCHES "@(localhost|[^>]*\\.localdomain)>")
  message(FATAL_ERROR "VENTROSE_MAINTAINER=\"${VENTROSE_MAINTAINER}\": give a name and a "
                      "reachable e-mail address, as in \"Jeanne Dupont <jeanne@example.org>\"")
endif()

install(TARGETS ventrose RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped install (cpack, cmake --install --strip) also drops the compiler's notes, as
# Debian's own packaging tools do.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/ventrose\"
                    COMMAND_ERROR_IS_FATAL ANY)
  endif()")
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/${VENTROSE_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/metainfo/${VENTROSE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/data/shipped/ventrose.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps)
# The program carries its data and makes each user's installation folder from it; this copy
# is the reference to restore a file of that folder from.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/shipped/ DESTINATION ${CMAKE_INSTALL_DATADIR}/ventrose
        PATTERN MANIFEST EXCLUDE)
include(${CMAKE_CURRENT_LIST_DIR}/ManualPages.cmake)

# The documentation folder: the README, the terms and provenance (machine-readable copyright
# file) and the changelog of this native package, whose latest entry is this version.
set(docdir ${CMAKE_INSTALL_DATADIR}/doc/ventrose)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/packaging/debian/copyright
        DESTINATION ${docdir})
file(STRINGS ${CMAKE_SOURCE_DIR}/packaging/debian/changelog.in changelog_top LIMIT_COUNT 1)
if(NOT changelog_top MATCHES "^ventrose \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/debian/changelog.in begins with \"${changelog_top}\": "
                      "add an entry for version ${PROJECT_VERSION} at its top")
endif()
set(changelog ${CMAKE_BINARY_DIR}/packaging/changelog)
configure_file(${CMAKE_SOURCE_DIR}/packaging/debian/changelog.in ${changelog} @ONLY)
add_custom_command(OUTPUT ${changelog}.gz COMMAND ${GZIP} -9 -n -f -k ${changelog}
                   DEPENDS ${changelog} COMMENT "Compressing the package's changelog")
add_custom_target(package_changelog ALL DEPENDS ${changelog}.gz)
install(FILES ${changelog}.gz DESTINATION ${docdir})
# What lintian is told to accept in this package, each with its reason.
install(FILES ${CMAKE_SOURCE_DIR}/packaging/debian/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME ventrose)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ventrose)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "front end of an RS-232 electronic compass module")
# The extended description, its lines under 80 characters (blank lines part paragraphs).
file(READ ${CMAKE_SOURCE_DIR}/packaging/debian/description CPACK_DEBIAN_PACKAGE_DESCRIPTION)
set(CPACK_PACKAGE_CONTACT "${VENTROSE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.ventrose.example/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The shared libraries (Qt and the C++ runtime) give the package's dependencies. Fonts are
# looked up by name, so they are named here: Liberation stands in for the windows'
# typefaces, and without DejaVu the system's default sans-serif face (menus, message
# boxes) falls back to a monospaced one on a bare system.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-dejavu-core")
include(CPack)
