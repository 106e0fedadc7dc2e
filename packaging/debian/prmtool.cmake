# prmtool's Debian package: cmake --install puts prmtool, its manual page and
# its package documents in place; cpack makes the .deb of them. The version
# comes from the project, the dates from SOURCE_DATE_EPOCH where it is set
# (the release sets it to the commit's time), so two builds of one commit
# give the same package.
include(GNUInstallDirs)
set(QUILLET_MAINTAINER "Quillet developers <developers@quillet.example>")
string(TIMESTAMP QUILLET_MAN_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP QUILLET_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
# The licence text once, in LICENSE; the copyright file indents it as DEP-5 asks.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE QUILLET_LICENSE)
string(REGEX REPLACE "\n+$" "" QUILLET_LICENSE "${QUILLET_LICENSE}")
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" _ "${QUILLET_LICENSE}")
set(QUILLET_COPYRIGHT "${CMAKE_MATCH_1}")
string(REGEX REPLACE "^MIT License\n\n[^\n]*\n\n" "" QUILLET_LICENSE "${QUILLET_LICENSE}")
string(REPLACE "\n\n" "\n.\n" QUILLET_LICENSE "${QUILLET_LICENSE}")
string(REPLACE "\n" "\n " QUILLET_LICENSE " ${QUILLET_LICENSE}")

set(doc ${CMAKE_CURRENT_BINARY_DIR}/doc)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/prmtool.1.in ${doc}/prmtool.1 @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${doc}/changelog @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/copyright.in ${doc}/copyright @ONLY)
# Compressed without a name or time stamp in the gzip header.
foreach(file prmtool.1 changelog)
  add_custom_command(OUTPUT ${doc}/${file}.gz
    COMMAND gzip -9nc ${doc}/${file} > ${doc}/${file}.gz
    DEPENDS ${doc}/${file} VERBATIM)
endforeach()
add_custom_target(prmtool-doc ALL DEPENDS ${doc}/prmtool.1.gz ${doc}/changelog.gz)

install(TARGETS prmtool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${doc}/prmtool.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${doc}/changelog.gz ${doc}/copyright DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/prmtool)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME prmtool)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "show, check, change and compare Quillet parameter files")
set(CPACK_PACKAGE_DESCRIPTION "prmtool works on the parameter files (.prm) of the Quillet editor through
the editor's own parameter core: it shows them as text or JSON, checks
them, changes values by name, imports JSON and lists the differences
between two files (also as a textconv driver for git diff).")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUILLET_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # the libraries it links, as dpkg-shlibdeps finds them
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
