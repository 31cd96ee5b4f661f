# Installation as a desktop program, and the Debian package made from it.
#   cmake --install build/release --prefix /usr/local
#   cd build/release && cpack            (builds ventrose_<version>_<arch>.deb)
include(GNUInstallDirs)

install(TARGETS ventrose RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/ventrose.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/shipped/ventrose.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps)
# The program carries its data and makes each user's installation folder from it; this copy
# is the reference to restore a file of that folder from.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/shipped/ DESTINATION ${CMAKE_INSTALL_DATADIR}/ventrose
        PATTERN MANIFEST EXCLUDE)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/ventrose)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ventrose)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Front end of an RS-232 electronic compass module")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Shows the live heading of an RS-232 electronic compass module on a drawn dial, "
       "applies zero-centring and magnetic declination, and runs the module's calibration. "
       "French user interface.")
set(CPACK_PACKAGE_CONTACT "Ventrose developers <ventrose@localhost>")
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
