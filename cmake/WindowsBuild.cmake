# What builds for Windows without Qt (Debian has no Qt for Windows): the parts
# that need no window, zeb40ctl, and their tests, which run under Wine against
# the emulated unit (scripts/test-windows).
include(cmake/Zeb40Targets.cmake)
include_directories(${CMAKE_SOURCE_DIR})

# nlohmann/json is header-only; Debian's copy lies among the Linux headers,
# which must not come before the toolchain's, so only its own folder is put
# on the include path.
set(json_include ${CMAKE_BINARY_DIR}/json-include)
file(MAKE_DIRECTORY ${json_include})
file(CREATE_LINK /usr/include/nlohmann ${json_include}/nlohmann SYMBOLIC)
add_library(nlohmann_json INTERFACE)
target_include_directories(nlohmann_json SYSTEM INTERFACE ${json_include})
add_library(nlohmann_json::nlohmann_json ALIAS nlohmann_json)

add_subdirectory(resources)
add_subdirectory(link)
add_subdirectory(disk)
add_subdirectory(operator)
add_subdirectory(config)
add_subdirectory(files)
add_subdirectory(flash)
add_subdirectory(services)
add_subdirectory(cli)

# GoogleTest from Debian's source package, built with this toolchain.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

if(ZEB40_TESTS)
    file(GLOB windows_tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/windows/*.cpp)
    add_executable(test_windows_link ${windows_tests})
    target_link_libraries(test_windows_link PRIVATE zeb40_link zeb40_port_discovery zeb40_disk zeb40_config
                          GTest::gtest GTest::gtest_main)
    # The core's tests that need neither the emulator nor Qt, as on Linux.
    add_executable(test_windows_core
        ${CMAKE_SOURCE_DIR}/tests/cli/CliArgumentsTest.cpp
        ${CMAKE_SOURCE_DIR}/tests/cli/SettingValuesTest.cpp
        ${CMAKE_SOURCE_DIR}/tests/cli/TerminalOperatorTest.cpp
        ${CMAKE_SOURCE_DIR}/tests/config/ItemDescriptionsTest.cpp
        ${CMAKE_SOURCE_DIR}/tests/link/ReplyDecodingTest.cpp
        ${CMAKE_SOURCE_DIR}/tests/resources/PlaceholderTest.cpp
        ${CMAKE_SOURCE_DIR}/tests/services/InfoTextsTest.cpp)
    target_link_libraries(test_windows_core PRIVATE zeb40_cli GTest::gtest GTest::gtest_main)
endif()
