# Installation layout and the Debian package (scripts/package).
include(GNUInstallDirs)

set(desktop ${CMAKE_SOURCE_DIR}/resources/desktop)
install(FILES ${desktop}/com.velor.zeb40.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop}/com.velor.zeb40.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# Not active until the administrator copies it to /etc/udev/rules.d.
install(FILES ${desktop}/70-zeb40.rules DESTINATION ${CMAKE_INSTALL_DATADIR}/zeb40/udev)
file(GLOB man_pages ${CMAKE_SOURCE_DIR}/resources/man/*.1)
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/resources/completion/zeb40ctl
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/help/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/help)
file(GLOB icon_sizes LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/resources/icons/hicolor/*)
foreach(size_dir ${icon_sizes})
    get_filename_component(size ${size_dir} NAME)
    install(FILES ${size_dir}/com.velor.zeb40.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}/apps)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zeb40)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR VELOR)
set(CPACK_PACKAGE_CONTACT "VELOR <support@velor.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configuration program for the VELOR ZEB40 timecode unit")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Configuration program for the VELOR ZEB40 timecode unit
 zeb40 connects to a ZEB40 on a serial port, edits its settings, shows its
 running timecode, keeps settings in files, loads and saves user profiles,
 sets its clock, replaces its firmware and downloads a user code. zeb40ctl
 offers the same without a window; zeb40-sim emulates a unit.")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
include(CPack)
