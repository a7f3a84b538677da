# Every library takes all sources of its own folder, so adding a file never
# means editing a list somewhere else.
# QT: the folder holds Qt classes (moc and resources run on it).
# LINK: the libraries its headers use, passed on to whoever uses it.
# PRIVATE: the libraries only its sources use.
function(zeb40_library name dir)
    cmake_parse_arguments(ARG "QT" "" "LINK;PRIVATE" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
    file(GLOB headers CONFIGURE_DEPENDS ${dir}/*.h)
    file(GLOB qrc CONFIGURE_DEPENDS ${dir}/*.qrc)
    if(sources)
        add_library(${name} STATIC ${sources} ${headers} ${qrc})
        target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
        target_link_libraries(${name} PUBLIC ${ARG_LINK} PRIVATE ${ARG_PRIVATE})
        if(ARG_QT)
            set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON)
        endif()
    else()
        add_library(${name} INTERFACE ${headers})
        target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
        target_link_libraries(${name} INTERFACE ${ARG_LINK})
    endif()
endfunction()

# One test program per folder under tests/.
function(zeb40_test name dir)
    cmake_parse_arguments(ARG "" "" "LINK" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE ${ARG_LINK} zeb40_test_support GTest::gtest GTest::gtest_main)
    # Only the sources that use the build folder's path get it: a path on the
    # command line keeps the compiler cache from serving another checkout.
    foreach(source ${sources})
        file(STRINGS ${source} uses REGEX ZEB40_BINARY_DIR LIMIT_COUNT 1)
        if(uses)
            set_property(SOURCE ${source} APPEND PROPERTY
                COMPILE_DEFINITIONS ZEB40_BINARY_DIR="${CMAKE_BINARY_DIR}")
        endif()
    endforeach()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# The sources of a library that differ per system: dir/windows on Windows,
# dir/posix elsewhere.
function(zeb40_platform_sources target dir)
    if(WIN32)
        set(folder ${dir}/windows)
    else()
        set(folder ${dir}/posix)
    endif()
    file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp ${folder}/*.h)
    target_sources(${target} PRIVATE ${sources})
endfunction()
