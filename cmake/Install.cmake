# SPDX-License-Identifier: GPL-3.0-or-later
# Installing Kerova as a desktop application: the three programs, the menu
# entry, the icon in the hicolor theme, the AppStream metainfo and the manuals,
# and the Debian package built from them:
#   cmake --build <build> --target package

include(GNUInstallDirs)

# One application id names the desktop entry, the metainfo and the icon.
set(KEROVA_APP_ID org.kerova.kerova)
set(KEROVA_RELEASE_DATE 2026-12-07)
set(KEROVA_HOMEPAGE "https://kerova.org" CACHE STRING "Home page named in the metainfo and the package")
set(KEROVA_MAINTAINER "Kerova maintainers <maintainers@kerova.org>" CACHE STRING "Maintainer of the Debian package")
set(KEROVA_LICENSE "GPL-3.0-or-later" CACHE STRING "SPDX licence expression of the project")

set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(staged ${PROJECT_BINARY_DIR}/packaging)

# The window icon: the theme's, with a built-in copy for a run from the build folder.
target_compile_definitions(kerova PRIVATE KEROVA_APP_ID="${KEROVA_APP_ID}")
qt_add_resources(kerova kerova_icon PREFIX /icons BASE ${packaging}/icons
                 FILES ${packaging}/icons/kerova.svg)

install(TARGETS kerova kerova-sweep kerova-engine RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

configure_file(${packaging}/kerova.desktop.in ${staged}/${KEROVA_APP_ID}.desktop @ONLY)
configure_file(${packaging}/kerova.metainfo.xml.in ${staged}/${KEROVA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${staged}/${KEROVA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${staged}/${KEROVA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Icons: the SVG as drawn, and PNGs rendered from it at the usual menu sizes.
set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${packaging}/icons/kerova.svg DESTINATION ${icons}/scalable/apps
        RENAME ${KEROVA_APP_ID}.svg)
find_program(KEROVA_RSVG_CONVERT rsvg-convert REQUIRED)
foreach(size 48 64 128 256)
  set(png ${staged}/icons/${size}/${KEROVA_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${staged}/icons/${size}
    COMMAND ${KEROVA_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${packaging}/icons/kerova.svg
    DEPENDS ${packaging}/icons/kerova.svg VERBATIM)
  list(APPEND generated ${png})
  install(FILES ${png} DESTINATION ${icons}/${size}x${size}/apps)
endforeach()

# Manuals, compressed as Debian expects.
set(KEROVA_MAN_DATE ${KEROVA_RELEASE_DATE})
foreach(program kerova kerova-sweep kerova-engine)
  configure_file(${packaging}/man/${program}.1 ${staged}/man/${program}.1 @ONLY)
  add_custom_command(OUTPUT ${staged}/man/${program}.1.gz
    COMMAND gzip -9nkf ${staged}/man/${program}.1
    DEPENDS ${staged}/man/${program}.1 VERBATIM)
  list(APPEND generated ${staged}/man/${program}.1.gz)
  install(FILES ${staged}/man/${program}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
# The package's documents as Debian wants them: the machine-readable copyright
# and the package's history, compressed.
set(docdir ${CMAKE_INSTALL_DATADIR}/doc/kerova)
configure_file(${packaging}/debian/changelog ${staged}/changelog COPYONLY)
add_custom_command(OUTPUT ${staged}/changelog.gz
  COMMAND gzip -9nkf ${staged}/changelog
  DEPENDS ${staged}/changelog VERBATIM)
list(APPEND generated ${staged}/changelog.gz)
install(FILES ${packaging}/debian/copyright ${staged}/changelog.gz DESTINATION ${docdir})
# The user manual with its pictures, the same text the help window shows.
kerova_manual_pictures(pictures)
install(FILES ${PROJECT_SOURCE_DIR}/docs/manual.md ${pictures} DESTINATION ${docdir})
add_custom_target(kerova_install_data ALL DEPENDS ${generated})

# The installed tree: desktop entry, metainfo, manuals and the tools' command lines.
if(KEROVA_BUILD_TESTS)
  add_test(NAME install COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-install.sh
                                ${PROJECT_BINARY_DIR} ${KEROVA_APP_ID} ${PROJECT_VERSION})
  set_tests_properties(install PROPERTIES ENVIRONMENT "LC_ALL=C.UTF-8" TIMEOUT 120)
endif()

# The Debian package: kerova_<version>_<arch>.deb. Its dependencies are those
# of the binaries plus what they load at run time: the Qt SQL drivers, the
# SVG icon engine, the xcb platform plugin (in libqt6gui6), the fonts for
# Cyrillic text and Qt's Russian translations.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kerova)
set(CPACK_PACKAGE_VENDOR "Kerova")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "study a hierarchical service system with a mathematical model")
set(CPACK_PACKAGE_DESCRIPTION
    "Kerova keeps models of a hierarchical service system (institutions on
level 1, their departments on level 2, and so on) with the parameters of
every level in an SQLite or PostgreSQL store.

It sweeps two level parameters over ranges and shows how many nodes a
level needs, or how fast its nodes must be, as a chart (flat, or in 3D
as bars or a surface) and as a table that can be copied or saved as CSV.
kerova-sweep does the same calculation without a window, and
kerova-engine creates, checks, exports and imports stores.

The user interface is in Russian.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KEROVA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${KEROVA_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6sql6-sqlite, libqt6sql6-psql, libqt6svg6, libqt6gui6, fonts-dejavu-core, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri")
include(CPack)
