# What `cmake --install` puts where, and the Debian package `cpack -G DEB` makes of it.
set(KALMAR_APP_ID io.github.kalmar.Kalmar)
set(KALMAR_MAINTAINER "Kalmar developers <kalmar@users.noreply.github.com>")
set(KALMAR_PAGES data/Help.htm data/Shema.htm data/Shema.svg)

# The pages beside a program started from the build tree too (build/share/kalmar,
# where it looks for its installed copies).
foreach(page ${KALMAR_PAGES})
  get_filename_component(name ${page} NAME)
  configure_file(${page} ${CMAKE_CURRENT_BINARY_DIR}/share/kalmar/${name} COPYONLY)
endforeach()

install(TARGETS kalmar-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(KALMAR_GUI)
  install(TARGETS kalmar RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(FILES ${KALMAR_PAGES} DESTINATION ${CMAKE_INSTALL_DATADIR}/kalmar)

if(WIN32)
  # The window program, where src/ builds it for Windows (not the Qt one).
  set(kalmar_window OFF)
  if(TARGET kalmar AND NOT KALMAR_GUI)
    set(kalmar_window ON)
    install(TARGETS kalmar RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
  # A ZIP (`cpack -G ZIP`, the default here) and an installer (`cpack -G NSIS`,
  # Debian's nsis): bin\ with the programs, share\kalmar\ with the pages, the
  # licence and the README beside them.
  install(FILES LICENSE README.md DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_NAME kalmar)
  set(CPACK_PACKAGE_VENDOR Kalmar)
  set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
  set(CPACK_SYSTEM_NAME windows-${CMAKE_SYSTEM_PROCESSOR})
  set(CPACK_STRIP_FILES ON)
  # The ZIP's top folder and the installer's name (cmake/cpack-windows.cmake).
  set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/cpack-windows.cmake)
  # Program Files\Kalmar: the 64-bit one for the 64-bit programs.
  set(CPACK_PACKAGE_INSTALL_DIRECTORY Kalmar)
  set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Kalmar)  # also in data/windows/kalmar.nsh
  set(CPACK_NSIS_PACKAGE_NAME Kalmar)
  set(CPACK_NSIS_DISPLAY_NAME "Kalmar ${PROJECT_VERSION}")
  set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
  set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/data/windows/kalmar.ico)
  set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/data/windows/kalmar.ico)
  set(kalmar_nsis_defines)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
    list(APPEND kalmar_nsis_defines -DKALMAR_X64)
  else()
    set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES")
  endif()
  if(kalmar_window)
    list(APPEND kalmar_nsis_defines -DKALMAR_WINDOW)
    # Its icon in the list of installed programs (escaped for CPack's file too).
    set(CPACK_NSIS_INSTALLED_ICON_NAME "bin\\\\kalmar.exe")
  endif()
  # A Unicode installer (the Russian shortcut names on any Windows); its
  # steps beyond CPack's in data/windows/kalmar.nsh.
  set(CPACK_NSIS_EXECUTABLE_PRE_ARGUMENTS ${kalmar_nsis_defines})
  set(CPACK_NSIS_DEFINES "Unicode true
  !include '${PROJECT_SOURCE_DIR}/data/windows/kalmar.nsh'")
  set(CPACK_NSIS_EXTRA_PREINSTALL_COMMANDS "!insertmacro KalmarBeforeInstall")
  set(CPACK_NSIS_CREATE_ICONS_EXTRA "!insertmacro KalmarShortcuts")
  set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "!insertmacro KalmarAfterInstall")
  set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "!insertmacro KalmarBeforeUninstall")
  set(CPACK_NSIS_DELETE_ICONS_EXTRA "!insertmacro KalmarDeleteShortcuts")
  include(CPack)
  return()
endif()

install(FILES data/${KALMAR_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES data/${KALMAR_APP_ID}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps)
install(FILES data/${KALMAR_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

configure_file(data/${KALMAR_APP_ID}.metainfo.xml
               ${CMAKE_CURRENT_BINARY_DIR}/data/${KALMAR_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/data/${KALMAR_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Man pages (English in man1, Russian in ru/man1) and the changelog of this
# native package,
# compressed as Debian wants them: gzip -9n, no name or time in the header.
set(kalmar_compressed)
function(kalmar_gzip source output)
  configure_file(${source} ${output}.in @ONLY)
  add_custom_command(OUTPUT ${output}.gz
                     COMMAND gzip -9nc ${output}.in > ${output}.gz
                     DEPENDS ${output}.in ${source} VERBATIM)
  set(kalmar_compressed ${kalmar_compressed} ${output}.gz PARENT_SCOPE)
endfunction()
set(kalmar_gen ${CMAKE_CURRENT_BINARY_DIR}/data)
foreach(page kalmar.1 kalmar-cli.1)
  kalmar_gzip(data/man/${page} ${kalmar_gen}/man/man1/${page})
  kalmar_gzip(data/man/ru/${page} ${kalmar_gen}/man/ru/man1/${page})
endforeach()
kalmar_gzip(data/debian/changelog ${kalmar_gen}/changelog)
add_custom_target(kalmar_compressed_docs ALL DEPENDS ${kalmar_compressed})
install(DIRECTORY ${kalmar_gen}/man/ DESTINATION ${CMAKE_INSTALL_MANDIR}
        FILES_MATCHING PATTERN "*.gz")
install(FILES ${kalmar_gen}/changelog.gz data/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME kalmar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${KALMAR_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${KALMAR_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "programmer for PIC16F84, PIC16F62x and PIC12F629/675 on a parallel port")
# The extended description (CPack puts the summary before it): lines of at
# most 80 characters.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Kalmar reads, writes, verifies and erases Microchip PIC flash
microcontrollers (PIC16F84/84A, PIC16C84, PIC16F627/627A/628/628A,
PIC12F629/675) through a simple adapter on a PC parallel port: program
memory, data EEPROM, the configuration word and the ID locations. It opens
Intel HEX files and disassembles them. A Qt window (kalmar) and a command
line (kalmar-cli), both in Russian, and a simulated chip to try them
without hardware.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries the binaries link (Qt 6 among them) become dependencies;
# the Qt platform plugins and the SVG image plugin (the schematic in the
# program's own page viewer) are loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils")
set(CPACK_STRIP_FILES ON)
include(CPack)
