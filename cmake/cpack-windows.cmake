# Read by cpack for each package of the Windows build (CPACK_PROJECT_CONFIG_FILE):
# the ZIP unpacks into a folder of its own name, the installer is
# kalmar-VERSION-windows-ARCH-setup.exe beside kalmar-VERSION-windows-ARCH.zip.
if(CPACK_GENERATOR STREQUAL "ZIP")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
elseif(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
