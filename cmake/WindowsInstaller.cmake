# zeb40-<version>-setup.exe, made with NSIS from the two programs and the
# help pages (installer/zeb40.nsi).
find_program(ZEB40_MAKENSIS makensis REQUIRED)
set(installer ${CMAKE_BINARY_DIR}/zeb40-${PROJECT_VERSION}-setup.exe)
file(GLOB help_pages CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/help/*.html)
set(installer_script ${CMAKE_SOURCE_DIR}/installer/zeb40.nsi)
# The installed programs go without their symbols (zeb40.exe 62 MB to 21 MB);
# the ones in the build folder keep them for reading a crash.
set(installed_programs ${CMAKE_BINARY_DIR}/installed-programs)
add_custom_command(OUTPUT ${installed_programs}/zeb40.exe ${installed_programs}/zeb40ctl.exe
    COMMAND ${CMAKE_COMMAND} -E make_directory ${installed_programs}
    COMMAND ${CMAKE_STRIP} --strip-all -o ${installed_programs}/zeb40.exe $<TARGET_FILE:zeb40>
    COMMAND ${CMAKE_STRIP} --strip-all -o ${installed_programs}/zeb40ctl.exe
            $<TARGET_FILE:zeb40ctl>
    DEPENDS zeb40 zeb40ctl
    VERBATIM)
add_custom_command(OUTPUT ${installer}
    COMMAND ${ZEB40_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DOUTFILE=${installer}
            -DZEB40_EXE=${installed_programs}/zeb40.exe
            -DZEB40CTL_EXE=${installed_programs}/zeb40ctl.exe
            -DHELP_DIR=${CMAKE_SOURCE_DIR}/resources/help
            -DICON=${CMAKE_BINARY_DIR}/shell/zeb40.ico ${installer_script}
    DEPENDS ${installed_programs}/zeb40.exe ${installed_programs}/zeb40ctl.exe ${installer_script}
            ${help_pages} ${CMAKE_BINARY_DIR}/shell/zeb40.ico
    VERBATIM)
add_custom_target(installer ALL DEPENDS ${installer})
