# nlohmann/json for the mingw-w64 cross build. It is header-only; Debian's
# copy lies among the Linux headers, which must not come before the
# toolchain's, so only its own folder is put on the include path.
set(json_include ${CMAKE_BINARY_DIR}/json-include)
file(MAKE_DIRECTORY ${json_include})
file(CREATE_LINK /usr/include/nlohmann ${json_include}/nlohmann SYMBOLIC)
add_library(nlohmann_json INTERFACE)
target_include_directories(nlohmann_json SYSTEM INTERFACE ${json_include})
add_library(nlohmann_json::nlohmann_json ALIAS nlohmann_json)
