# The Debian package: "cpack -G DEB" in the build folder writes
# tickforge_<version>_<arch>.deb with everything "cmake --install" installs.
set(CPACK_PACKAGE_NAME tickforge)
set(CPACK_PACKAGE_VERSION ${TF_VERSION_TEXT})
set(CPACK_PACKAGE_VENDOR "Tickforge developers")
# A placeholder address of the project, not of a person.
set(CPACK_PACKAGE_CONTACT "Tickforge developers <tickforge@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "clock tree designer and code generator for QX microcontrollers")
# The long description; CPack puts the summary above it and indents it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tickforge shows the clock tree of a QX microcontroller series as a
drawing with live controls: oscillators, PLL, system clock, bus dividers,
USB, RTC and clock outputs. Every edit is carried through the whole tree at
once, and values above the series' limits turn red. A design is saved as a
.TFCC file and turned into C source for the maker's firmware library.

The package holds the program, its command-line twin tickforge-cli for
scripts and CI, the user manuals in English and Chinese, the desktop entry
and the file type of design files.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Library dependencies are found by dpkg-shlibdeps and added to these.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own dialog texts in Chinese.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qttranslations5-l10n")
# xdg-utils opens the manuals and folders; the fonts stand in for Arial and
# carry the Chinese texts.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, fonts-liberation, fonts-wqy-zenhei")

include(CPack)
