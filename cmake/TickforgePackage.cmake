# The Debian packages: "cpack -G DEB" in the build folder (or the "package"
# target) writes two packages from the one build:
#   tickforge-cli_<version>_<arch>.deb  the command-line tool alone, for
#       scripts and CI machines without a desktop (QtCore, QtNetwork
#       and OpenSSL; no GUI library, no fonts);
#   tickforge_<version>_<arch>.deb      the desktop program, its drawing
#       renderer, the update module, the manuals and the desktop
#       integration; it installs alone and recommends tickforge-cli.
# Every install() names the component of its package: "cli" or "desktop".
include(GNUInstallDirs)

set(TF_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc)

# The command-line programs are built in cli/ (tickforge-render in app/, beside
# tickforge-cli in the build tree); their install rules for the
# packages are here, so that the split lives in one place. A rule without a
# component there lands in neither package.
install(TARGETS tickforge-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT cli)
# Painting needs the GUI libraries, so the renderer that tickforge-cli render
# runs belongs to the desktop package.
if(TARGET tickforge-render)
  install(TARGETS tickforge-render RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT desktop)
endif()

# Debian wants a copyright file and a changelog in /usr/share/doc/<package>
# of every package. The changelog is kept by hand in dist/changelog, newest
# entry first; tests/package checks that its top entry is this version.
find_program(GZIP gzip)
set(TF_CHANGELOG ${CMAKE_BINARY_DIR}/dist/changelog.gz)
if(GZIP)
  add_custom_command(OUTPUT ${TF_CHANGELOG}
    # -n: no name or time stamp in the archive, so builds are reproducible.
    COMMAND ${GZIP} -9nc ${CMAKE_SOURCE_DIR}/dist/changelog > ${TF_CHANGELOG}
    DEPENDS ${CMAKE_SOURCE_DIR}/dist/changelog
    COMMENT "Compressing the package changelog")
  add_custom_target(tf_changelog ALL DEPENDS ${TF_CHANGELOG})
endif()
foreach(component IN ITEMS cli desktop)
  if(component STREQUAL "cli")
    set(package tickforge-cli)
  else()
    set(package tickforge)
  endif()
  install(FILES ${CMAKE_SOURCE_DIR}/dist/copyright DESTINATION ${TF_DOC_DIR}/${package} COMPONENT ${component})
  if(GZIP)
    install(FILES ${TF_CHANGELOG} DESTINATION ${TF_DOC_DIR}/${package} COMPONENT ${component})
  endif()
endforeach()

# What stops the packages from being made. A build without these is still a
# good build for development, but the packages would ship without parts, so
# cpack (and the "package" target) refuses with the reasons, before it builds
# or installs anything. Two ways to add a check:
#   at configure time, a reason:
#     set_property(GLOBAL APPEND PROPERTY TF_PACKAGE_BLOCKERS "what is missing and how to get it")
#   at packaging time (it sees the CPack variables and "cpack -D NAME=VALUE"),
#   a CMake script that stops with message(FATAL_ERROR ...):
#     set_property(GLOBAL APPEND PROPERTY TF_PACKAGE_CHECKS /path/to/check.cmake)
if(NOT GZIP)
  set_property(GLOBAL APPEND PROPERTY TF_PACKAGE_BLOCKERS
    "gzip not found: the changelog and manual pages cannot be compressed (install gzip)")
endif()

# A package made without an update key stops unless TF_UPDATE_UNSIGNED=ON was
# given on purpose (cmake/TickforgeUpdateKey.cmake writes that check).
set_property(GLOBAL APPEND PROPERTY TF_PACKAGE_CHECKS ${TF_UPDATE_CPACK_CHECK})

get_property(TF_PACKAGE_BLOCKERS GLOBAL PROPERTY TF_PACKAGE_BLOCKERS)
get_property(TF_PACKAGE_CHECKS GLOBAL PROPERTY TF_PACKAGE_CHECKS)
set(TF_PACKAGE_CONFIG ${CMAKE_BINARY_DIR}/TickforgePackageConfig.cmake)
file(WRITE ${TF_PACKAGE_CONFIG}
  "# Written by cmake/TickforgePackage.cmake; read by cpack before packaging.\n"
  "set(TF_PACKAGE_BLOCKERS [==[${TF_PACKAGE_BLOCKERS}]==])\n"
  "set(TF_PACKAGE_CHECKS [==[${TF_PACKAGE_CHECKS}]==])\n"
  [==[
if(TF_PACKAGE_BLOCKERS)
  list(JOIN TF_PACKAGE_BLOCKERS "\n  " reasons)
  message(FATAL_ERROR "The Debian packages cannot be made:\n  ${reasons}\n"
                      "Install what is missing, then configure the build again.")
endif()
foreach(check IN LISTS TF_PACKAGE_CHECKS)
  include(${check})
endforeach()
# Each package's description starts with its own summary; CPack would put
# the project's summary above it.
unset(CPACK_PACKAGE_DESCRIPTION_SUMMARY)
]==])
set(CPACK_PROJECT_CONFIG_FILE ${TF_PACKAGE_CONFIG})

set(CPACK_PACKAGE_NAME tickforge)
set(CPACK_PACKAGE_VERSION ${TF_VERSION_TEXT})
set(CPACK_PACKAGE_VENDOR "Tickforge developers")
# A placeholder address of the project, not of a person.
set(CPACK_PACKAGE_CONTACT "Tickforge developers <tickforge@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL cli desktop)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Library dependencies are found by dpkg-shlibdeps and added to these.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

set(CPACK_DEBIAN_CLI_PACKAGE_NAME tickforge-cli)
# Descriptions: the summary line, then the text Debian indents.
set(CPACK_DEBIAN_CLI_DESCRIPTION "clock designs of QX microcontrollers from the command line
tickforge-cli opens, checks and changes Tickforge clock designs (.TFCC files)
and turns them into C source for the maker's firmware library, with the same
checks and texts as the desktop program, but without a window. It is meant
for scripts, build machines and CI: it needs no display and no GUI library.

It also finds the PLL factors for a wanted system clock and checks for a
newer version. Drawing the clock tree to PNG or PDF (tickforge-cli render)
needs the desktop package, tickforge.")
# HTTPS of the update check needs the system's certificates.
set(CPACK_DEBIAN_CLI_PACKAGE_RECOMMENDS "ca-certificates")

set(CPACK_DEBIAN_DESKTOP_PACKAGE_NAME tickforge)
set(CPACK_DEBIAN_DESKTOP_DESCRIPTION "clock tree designer and code generator for QX microcontrollers
Tickforge shows the clock tree of a QX microcontroller series as a drawing
with live controls: oscillators, PLL, system clock, bus dividers, USB, RTC
and clock outputs. Every edit is carried through the whole tree at once, and
values above the series' limits turn red. A design is saved as a .TFCC file
and turned into C source for the maker's firmware library.

The package holds the program, the renderer of clock-tree drawings, the user
manuals in English and Chinese, the desktop entry and the file type of design
files. The command-line tool is in tickforge-cli.")
# Qt's own dialog texts in Chinese; the fonts the program's texts are drawn
# in (Liberation stands in for Arial, WenQuanYi Zen Hei carries the Chinese
# texts): without them Chinese shows as boxes. Nothing of tickforge-cli: this
# package is what the update check downloads (the update list names one
# package), so "apt-get install ./tickforge_<version>_amd64.deb" must work
# with it alone, on a fresh machine and over an older version of both.
set(CPACK_DEBIAN_DESKTOP_PACKAGE_DEPENDS "qttranslations5-l10n, fonts-liberation, fonts-wqy-zenhei")
# xdg-utils opens the manuals and folders; the command-line twin is welcome.
set(CPACK_DEBIAN_DESKTOP_PACKAGE_RECOMMENDS "xdg-utils, tickforge-cli")

include(CPack)
