# What `cmake --install` puts where, and the Debian package `cpack -G DEB` makes of it.
set(KALMAR_APP_ID io.github.kalmar.Kalmar)

install(TARGETS kalmar-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(KALMAR_GUI)
  install(TARGETS kalmar RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(FILES data/Help.htm data/Shema.htm DESTINATION ${CMAKE_INSTALL_DATADIR}/kalmar)
install(FILES data/${KALMAR_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/kalmar)
install(FILES data/${KALMAR_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES data/${KALMAR_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

configure_file(data/${KALMAR_APP_ID}.metainfo.xml
               ${CMAKE_CURRENT_BINARY_DIR}/data/${KALMAR_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/data/${KALMAR_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(page kalmar.1 kalmar-cli.1)
  configure_file(data/${page} ${CMAKE_CURRENT_BINARY_DIR}/data/${page} @ONLY)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/data/${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME kalmar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Kalmar developers <kalmar@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "programmer for PIC16F84, PIC16F62x and PIC12F629/675 on a parallel port adapter")
set(CPACK_PACKAGE_DESCRIPTION
    "Kalmar reads, writes, verifies and erases Microchip PIC flash microcontrollers through a simple adapter on a PC parallel port: a Qt window (kalmar) and a command line (kalmar-cli).")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries the binaries link (Qt 6 among them) become dependencies;
# the Qt platform plugins are loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils")
set(CPACK_STRIP_FILES ON)
include(CPack)
