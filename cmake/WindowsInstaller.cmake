# zeb40-<version>-setup.exe, made with NSIS from the two programs and the
# help pages (installer/zeb40.nsi).
find_program(ZEB40_MAKENSIS makensis REQUIRED)
set(installer ${CMAKE_BINARY_DIR}/zeb40-${PROJECT_VERSION}-setup.exe)
file(GLOB help_pages CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/help/*.html)
set(installer_script ${CMAKE_SOURCE_DIR}/installer/zeb40.nsi)
add_custom_command(OUTPUT ${installer}
    COMMAND ${ZEB40_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DOUTFILE=${installer}
            -DZEB40_EXE=$<TARGET_FILE:zeb40> -DZEB40CTL_EXE=$<TARGET_FILE:zeb40ctl>
            -DHELP_DIR=${CMAKE_SOURCE_DIR}/resources/help
            -DICON=${CMAKE_BINARY_DIR}/shell/zeb40.ico ${installer_script}
    DEPENDS zeb40 zeb40ctl ${installer_script} ${help_pages} ${CMAKE_BINARY_DIR}/shell/zeb40.ico
    VERBATIM)
add_custom_target(installer ALL DEPENDS ${installer})
