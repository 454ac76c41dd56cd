# The Linux installation and its Debian package.
#
# Layout under the prefix:
#   lib/marovia/marovia             the executable
#   lib/marovia/Images/...          the fixed pictures drawn at build time
#   bin/marovia -> ../lib/marovia/marovia
#   share/applications/marovia.desktop, share/icons/hicolor/<size>/apps/marovia.png
# The executable keeps its pictures in "Images" beside itself, as in a portable folder, so the path
# rules are the same for both; the symbolic link resolves to the real file (/proc/self/exe), so the
# program finds lib/marovia. That folder is not writable by the user, which is how the program knows
# it is installed and keeps its data under the XDG data home instead (uPathInfo). The style sets are
# compiled into the executable as Qt resources and need no file of their own.

if(WIN32)
  return()
endif()

include(GNUInstallDirs)
# Plain lib/, not the multiarch libdir: that one is for shared libraries, a program's private folder
# sits in /usr/lib/<program>.
set(MAROVIA_INSTALL_DIR lib/marovia)

install(TARGETS marovia RUNTIME DESTINATION ${MAROVIA_INSTALL_DIR})
# Only the pictures: a build tree that has been run also holds Data/ and Images/Temp/.
install(DIRECTORY ${CMAKE_BINARY_DIR}/bin/Images/ DESTINATION ${MAROVIA_INSTALL_DIR}/Images
        FILES_MATCHING PATTERN "*.png" PATTERN "*.Png" PATTERN "Temp" EXCLUDE)

file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install-links)
file(CREATE_LINK ../${MAROVIA_INSTALL_DIR}/marovia ${CMAKE_BINARY_DIR}/install-links/marovia SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/install-links/marovia DESTINATION ${CMAKE_INSTALL_BINDIR})

# The menu icon at the theme's sizes, drawn by the same program as the installation's pictures.
set(MAROVIA_ICONS ${CMAKE_BINARY_DIR}/icons)
add_custom_command(OUTPUT ${MAROVIA_ICONS}/hicolor/256x256/apps/marovia.png
  COMMAND DrawInstallationImages ${MAROVIA_ICONS}/scratch ${MAROVIA_ICONS}/hicolor
  DEPENDS DrawInstallationImages
  COMMENT "Drawing the menu icon" VERBATIM)
add_custom_target(theme_icons ALL DEPENDS ${MAROVIA_ICONS}/hicolor/256x256/apps/marovia.png)
install(DIRECTORY ${MAROVIA_ICONS}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${PROJECT_SOURCE_DIR}/resources/linux/marovia.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

if(MAROVIA_TESTS)
  find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)
  add_test(NAME desktop_entry_is_valid
           COMMAND ${DESKTOP_FILE_VALIDATE} ${PROJECT_SOURCE_DIR}/resources/linux/marovia.desktop)
  # desktop-file-validate exits 0 on hints; a warning or error must fail the test as well.
  set_tests_properties(desktop_entry_is_valid PROPERTIES LABELS unit FAIL_REGULAR_EXPRESSION "error:|warning:")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME marovia)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Marovia developers <marovia@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop dock, side bar, launch panel and sticky notes")
set(CPACK_PACKAGE_DESCRIPTION
    "Marovia lays a transparent layer on the desktop with a dock, a side bar, a sliding panel of\nlaunch buttons and sticky notes. Its interface is in Simplified Chinese.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The libraries the executable links come from dpkg-shlibdeps; the rest are loaded at run time
# (plugins, fonts, translations, the GSettings back end, xdg-open) and no linker sees them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-noto-cjk, qt6-image-formats-plugins, libqt6svg6, xdg-utils, dconf-gsettings-backend, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hicolor-icon-theme, adwaita-icon-theme")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
include(CPack)
