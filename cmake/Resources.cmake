# The packaged resources: copied next to the executable in the build tree, installed under the
# data directory, with BuildInfo.txt written by the build.

set(QUILLMERE_RESOURCE_FILES
    ${PROJECT_SOURCE_DIR}/resources/Quillmere.png
    ${PROJECT_SOURCE_DIR}/resources/QuillmereGrey.png
    ${PROJECT_SOURCE_DIR}/resources/Sonar.wav
    ${PROJECT_SOURCE_DIR}/resources/Bowl.wav
    ${PROJECT_SOURCE_DIR}/resources/Whistle.wav)
set(QUILLMERE_BUILD_RESOURCES ${CMAKE_BINARY_DIR}/resources)

add_custom_target(quillmere_resources ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QUILLMERE_BUILD_RESOURCES}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${QUILLMERE_RESOURCE_FILES}
            ${QUILLMERE_BUILD_RESOURCES}
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
            -DOUTPUT=${QUILLMERE_BUILD_RESOURCES}/BuildInfo.txt
            -DVERSION=${PROJECT_VERSION} -P ${PROJECT_SOURCE_DIR}/cmake/WriteBuildInfo.cmake
    BYPRODUCTS ${QUILLMERE_BUILD_RESOURCES}/BuildInfo.txt
    COMMENT "Packaging resources"
    VERBATIM)
add_dependencies(quillmere-timer quillmere_resources)

install(TARGETS quillmere-timer RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${QUILLMERE_RESOURCE_FILES} ${QUILLMERE_BUILD_RESOURCES}/BuildInfo.txt
        DESTINATION ${CMAKE_INSTALL_DATADIR}/quillmere-timer)
# The compiled translations: every .qm file the build leaves in this folder is installed.
set(QUILLMERE_BUILD_TRANSLATIONS ${CMAKE_BINARY_DIR}/translations)
install(DIRECTORY ${QUILLMERE_BUILD_TRANSLATIONS}/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/quillmere-timer/translations
        OPTIONAL FILES_MATCHING PATTERN "*.qm")

# Desktop integration: the entry, the icon in the hicolor theme, the AppStream metadata.
set(QUILLMERE_APP_ID org.quillmere.Timer)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/${QUILLMERE_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/${QUILLMERE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/resources/Quillmere.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps
        RENAME ${QUILLMERE_APP_ID}.png)
install(FILES ${PROJECT_SOURCE_DIR}/resources/Quillmere.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${QUILLMERE_APP_ID}.svg)
