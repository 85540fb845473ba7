# JSON for Modern C++ (Debian's nlohmann-json3-dev), header only: `quorvel_json`. The Windows
# builds take the same headers through a folder that holds nothing else, so that none of the
# Linux system's own headers reach a cross build.
add_library(quorvel_json INTERFACE)
if(NOT CMAKE_CROSSCOMPILING)
    find_package(nlohmann_json 3.10 REQUIRED)
    target_link_libraries(quorvel_json INTERFACE nlohmann_json::nlohmann_json)
else()
    find_path(QUORVEL_JSON_HEADERS nlohmann/json.hpp PATHS /usr/include
              NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
    set(only_json ${PROJECT_BINARY_DIR}/json-headers)
    file(MAKE_DIRECTORY ${only_json})
    file(CREATE_LINK ${QUORVEL_JSON_HEADERS}/nlohmann ${only_json}/nlohmann SYMBOLIC)
    target_include_directories(quorvel_json SYSTEM INTERFACE ${only_json})
endif()
