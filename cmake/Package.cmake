# The manual page, the bash completion and the package's documents, installed with the program,
# and the Debian package CPack builds from the same install (`--target package`).

find_program(GZIP gzip REQUIRED)
set(QUILLMERE_PACKAGING_BUILD ${CMAKE_BINARY_DIR}/packaging)
set(QUILLMERE_MANUAL_PAGE ${QUILLMERE_PACKAGING_BUILD}/quillmere-timer.1.gz)
set(QUILLMERE_DEBIAN_CHANGELOG ${QUILLMERE_PACKAGING_BUILD}/changelog.Debian.gz)
configure_file(${PROJECT_SOURCE_DIR}/packaging/quillmere-timer.1.in
               ${QUILLMERE_PACKAGING_BUILD}/man/quillmere-timer.1 @ONLY)
# Compressed as Debian wants them: best compression, no name or time stamp inside.
foreach(source_and_output IN ITEMS
        "${QUILLMERE_PACKAGING_BUILD}/man/quillmere-timer.1|${QUILLMERE_MANUAL_PAGE}"
        "${PROJECT_SOURCE_DIR}/packaging/changelog|${QUILLMERE_DEBIAN_CHANGELOG}")
    string(REPLACE "|" ";" source_and_output "${source_and_output}")
    list(GET source_and_output 0 source)
    list(GET source_and_output 1 output)
    string(REGEX REPLACE "\\.gz$" "" uncompressed "${output}")
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${uncompressed}
        COMMAND ${GZIP} -9nf ${uncompressed}
        DEPENDS ${source}
        VERBATIM)
endforeach()
add_custom_target(quillmere_packaging_files ALL
                  DEPENDS ${QUILLMERE_MANUAL_PAGE} ${QUILLMERE_DEBIAN_CHANGELOG})

install(FILES ${QUILLMERE_MANUAL_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/quillmere-timer.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME quillmere-timer)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${QUILLMERE_DEBIAN_CHANGELOG}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillmere-timer)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillmere-timer)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Quillmere)
set(CPACK_PACKAGE_CONTACT "Quillmere Timer developers <timer@quillmere.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://quillmere.org)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "break reminder in the desktop's status area")
set(CPACK_PACKAGE_DESCRIPTION [=[
Quillmere Timer counts down a work interval in the desktop's status area: an
icon and the time left. When the interval runs out it plays an alert sound and
asks you to look around, take a breath and stretch; restart the next interval
or snooze the reminder for a minute.

The interval (1 to 120 minutes), the alert sound or the desktop's own bell,
muting, pop-up reminders and a fresh interval after the computer wakes from
sleep are set from the item's menu.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The Debian revision: raise it for a package of the same program version built differently,
# with an entry in packaging/changelog.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps can't see them: Qt's X11 and other platform plugins,
# libcanberra's PulseAudio back end (PipeWire's pulse service included) that plays the sounds,
# and the sound theme's bell.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libcanberra-pulse, sound-theme-freedesktop")
# Qt's own texts (a message box's OK) in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
# Where the session is Wayland, Qt's own Wayland plugin; without it Qt runs through Xwayland.
# Chinese and Japanese need a CJK font, which desktops set up for those languages already have.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-wayland, fonts-noto-cjk")

include(CPack)
