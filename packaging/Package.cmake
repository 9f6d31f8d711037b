# The Debian package: `cpack -G DEB` in the build folder writes pelmar_<version>_<arch>.deb.
# Library dependencies are read from the programs (dpkg-shlibdeps); what they load or show
# without linking it is named here.

# Debian's own documentation files, which `cmake --install` also puts into the doc folder.
set(PELMAR_CHANGELOG ${CMAKE_CURRENT_BINARY_DIR}/debian/changelog)
configure_file(debian/changelog ${PELMAR_CHANGELOG} @ONLY)
add_custom_command(
  OUTPUT ${PELMAR_CHANGELOG}.gz
  COMMAND gzip -9nkf ${PELMAR_CHANGELOG}
  DEPENDS ${PELMAR_CHANGELOG}
  VERBATIM)
add_custom_target(pelmar_changelog ALL DEPENDS ${PELMAR_CHANGELOG}.gz)
install(FILES debian/copyright ${PELMAR_CHANGELOG}.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pelmar)
set(CPACK_PACKAGE_VENDOR "Pelmar developers")
set(CPACK_PACKAGE_CONTACT "Pelmar developers <support@pelmar.invalid>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "syllable and readability counter for English text")
set(CPACK_PACKAGE_DESCRIPTION
  "Pelmar is a desktop program for Japanese teachers and learners of English.
Paste or open an English text and get one row per line with its words,
syllables, letters and consonant sounds, as tab-separated text ready to
paste into a spreadsheet; on request also sentences, phrases and eleven
readability indices. The window is in Japanese.

Saved measurements are kept in a history, filed into groups and compared
in a table and a line graph of grade levels. The command line programs
pelmar-count and pelmar-history measure text files the same way and list
the saved measurements without a window.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window needs Qt's X11 or Wayland platform plugin, which it loads at run time, and a
# Japanese font for its texts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic")
# The help command opens the manual through the desktop's handler when no known browser is
# installed; wmctrl lets it close a help page already open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wmctrl, bash-completion")
include(CPack)
