# Installation layout and the .deb package.
#
# The program looks for its interface files and documents in
# <program dir>/../share/ledgerline, so bin/ and share/ stay fixed here
# rather than following GNUInstallDirs overrides.

set(LEDGERLINE_APP_ID org.example.ledgerline.Ledgerline)
set(ledgerline_resources ${PROJECT_SOURCE_DIR}/resources)

install(TARGETS ledgerline RUNTIME DESTINATION bin)

# Matched at install time, so interface files and documents added later are
# picked up without touching this file.
install(DIRECTORY ${ledgerline_resources}/ DESTINATION share/ledgerline
  FILES_MATCHING PATTERN "*.ui" PATTERN "*.txt"
  PATTERN "icons" EXCLUDE)

install(FILES ${ledgerline_resources}/${LEDGERLINE_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${ledgerline_resources}/${LEDGERLINE_APP_ID}.metainfo.xml DESTINATION share/metainfo)
# resources/icons is laid out like the hicolor theme (scalable/apps, NxN/apps).
install(DIRECTORY ${ledgerline_resources}/icons/ DESTINATION share/icons/hicolor
  FILES_MATCHING PATTERN "${LEDGERLINE_APP_ID}.svg" PATTERN "${LEDGERLINE_APP_ID}.png")

# The manual page carries the project's version and is installed gzipped
# (-n: no name or time stamp, so the package builds reproducibly).
find_program(LEDGERLINE_GZIP gzip REQUIRED)
configure_file(${PROJECT_SOURCE_DIR}/docs/ledgerline.1 ${CMAKE_CURRENT_BINARY_DIR}/man/ledgerline.1 @ONLY)
add_custom_command(
  OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/man/ledgerline.1.gz
  COMMAND ${LEDGERLINE_GZIP} -9 -n -f -k ${CMAKE_CURRENT_BINARY_DIR}/man/ledgerline.1
  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/man/ledgerline.1
  COMMENT "Compressing the manual page")
add_custom_target(ledgerline_manpage ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/man/ledgerline.1.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/man/ledgerline.1.gz DESTINATION share/man/man1)

# The change log, in Debian's format (a native package's changelog.gz).
add_custom_command(
  OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog.gz
  COMMAND ${LEDGERLINE_GZIP} -9 -n -c ${PROJECT_SOURCE_DIR}/docs/changelog > ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/docs/changelog
  COMMENT "Compressing the change log")
add_custom_target(ledgerline_changelog ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog.gz DESTINATION share/doc/ledgerline)

# Debian's machine-readable copyright file, made from the license text.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ledgerline_resources}/license.txt)
set(ledgerline_license_lines "(see license.txt)")
if(EXISTS ${ledgerline_resources}/license.txt)
  file(STRINGS ${ledgerline_resources}/license.txt ledgerline_license_lines)
endif()
list(GET ledgerline_license_lines 0 ledgerline_license_title)
set(ledgerline_license_name "${ledgerline_license_title}")
if(ledgerline_license_title MATCHES "^MIT License")
  set(ledgerline_license_name Expat) # Debian's name for this MIT variant
endif()
set(ledgerline_copyright_holders "")
set(ledgerline_license_body "")
foreach(line IN LISTS ledgerline_license_lines)
  if(line MATCHES "^Copyright (\\([cC]\\) )?(.*)$")
    string(APPEND ledgerline_copyright_holders "${CMAKE_MATCH_2}")
  endif()
  if(line STREQUAL "")
    string(APPEND ledgerline_license_body " .\n")
  else()
    string(APPEND ledgerline_license_body " ${line}\n")
  endif()
endforeach()
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/doc/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Ledgerline
Upstream-Contact: Ledgerline developers <support@ledgerline.example.org>
Source: https://ledgerline.example.org

Files: *
Copyright: ${ledgerline_copyright_holders}
License: ${ledgerline_license_name}
${ledgerline_license_body}")
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/doc/copyright DESTINATION share/doc/ledgerline)

# cpack -G DEB (from the build folder) makes ledgerline_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ledgerline)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Ledgerline developers")
set(CPACK_PACKAGE_CONTACT "Ledgerline developers <support@ledgerline.example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://ledgerline.example.org)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "convert spreadsheet workbooks into DBF tables")
set(CPACK_PACKAGE_DESCRIPTION
"Ledgerline turns .xls and .xlsx workbooks into DBF tables that database,
accounting and GIS programs open. Every sheet becomes a table of its own,
named after the sheet, or all sheets go into one table file.

It writes dBase III, dBase IV, dBase 7, FoxPro, Visual FoxPro and SMT
tables with memo files, stores text in the code page you choose, works out
field names, types and widths from the cells, and shows previews of
workbooks and tables. A batch command line runs the same conversion from
scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps (dpkg-dev) names the Qt, ICU, libzip and expat packages
# from the libraries the program links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
