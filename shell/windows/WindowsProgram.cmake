# zeb40.exe's own resources (icon and version) and, since Qt is linked
# statically there, the plugins Qt loads at run time: the windows platform
# plugin and the Windows Vista style.
enable_language(RC)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(icon_pictures
    ${CMAKE_SOURCE_DIR}/resources/icons/zeb40_16.png
    ${CMAKE_SOURCE_DIR}/resources/icons/zeb40_32.png
    ${CMAKE_SOURCE_DIR}/resources/icons/zeb40_48.png)
set(ZEB40_ICON_FILE ${CMAKE_CURRENT_BINARY_DIR}/zeb40.ico)
add_custom_command(OUTPUT ${ZEB40_ICON_FILE}
    COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/windows/icon_from_pngs.py
            ${ZEB40_ICON_FILE} ${icon_pictures}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/windows/icon_from_pngs.py ${icon_pictures}
    VERBATIM)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/windows/zeb40.rc.in ${CMAKE_CURRENT_BINARY_DIR}/zeb40.rc
               @ONLY)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/zeb40.rc PROPERTIES
    OBJECT_DEPENDS ${ZEB40_ICON_FILE})
target_sources(zeb40 PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/zeb40.rc)
get_target_property(qt_core_type Qt6::Core TYPE)
if(qt_core_type STREQUAL "STATIC_LIBRARY")
    qt_import_plugins(zeb40 INCLUDE Qt6::QWindowsIntegrationPlugin Qt6::QWindowsVistaStylePlugin)
endif()
