# What builds for Windows without Qt: the Windows serial port and its tests,
# which run under Wine against the emulated unit (scripts/test-windows).
include(cmake/Zeb40Targets.cmake)
include_directories(${CMAKE_SOURCE_DIR})

zeb40_library(zeb40_windows_serial ${CMAKE_SOURCE_DIR}/link/windows)
target_sources(zeb40_windows_serial PRIVATE ${CMAKE_SOURCE_DIR}/link/ListedPortName.cpp)

# GoogleTest from Debian's source package, built with this toolchain.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

if(ZEB40_TESTS)
    file(GLOB windows_tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/windows/*.cpp)
    add_executable(test_windows_link ${windows_tests})
    target_link_libraries(test_windows_link PRIVATE zeb40_windows_serial GTest::gtest
                          GTest::gtest_main)
endif()
