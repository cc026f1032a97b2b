# The packaged resources: copied next to the executable in the build tree, installed under the
# data directory, with BuildInfo.txt written by the build.

set(QUILLMERE_RESOURCE_FILES
    ${PROJECT_SOURCE_DIR}/resources/Quillmere.png
    ${PROJECT_SOURCE_DIR}/resources/QuillmereGrey.png
    ${PROJECT_SOURCE_DIR}/resources/Sonar.m4a
    ${PROJECT_SOURCE_DIR}/resources/Bowl.m4a
    ${PROJECT_SOURCE_DIR}/resources/Whistle.m4a)
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
