# What builds for Windows without Qt (Debian has no Qt for Windows): the parts
# that need no window, and their tests, which run under Wine against the
# emulated unit (scripts/test-windows).
include(cmake/Zeb40Targets.cmake)
include_directories(${CMAKE_SOURCE_DIR})

add_subdirectory(resources)
add_subdirectory(link)
add_subdirectory(disk)

# GoogleTest from Debian's source package, built with this toolchain.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

if(ZEB40_TESTS)
    file(GLOB windows_tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/windows/*.cpp)
    add_executable(test_windows_link ${windows_tests})
    target_link_libraries(test_windows_link PRIVATE zeb40_link zeb40_port_discovery zeb40_disk
                          GTest::gtest GTest::gtest_main)
endif()
