# The catalogues: translations/quillmere-timer_<language>.ts, compiled by Qt's lrelease into
# <build>/translations/, where the program finds them beside itself and from where Resources.cmake
# installs them. scripts/update-translations.sh brings the .ts files up to date with the code.

find_package(Qt6 REQUIRED COMPONENTS LinguistTools)
file(GLOB QUILLMERE_TS_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/translations/*.ts)
set_source_files_properties(${QUILLMERE_TS_FILES} PROPERTIES
                            OUTPUT_LOCATION ${CMAKE_BINARY_DIR}/translations)
qt_add_lrelease(quillmere-timer TS_FILES ${QUILLMERE_TS_FILES} OPTIONS -silent NO_GLOBAL_TARGET)
