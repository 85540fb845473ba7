# xxHash (Debian's libxxhash-dev) as a header-only library, `quorvel_xxhash`: the history's hash of
# installed files. Every build takes the one header through a folder that holds nothing else, so
# that none of the Linux system's own headers reach a cross build.
add_library(quorvel_xxhash INTERFACE)
find_file(QUORVEL_XXHASH_HEADER xxhash.h PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
          REQUIRED)
set(only_xxhash ${PROJECT_BINARY_DIR}/xxhash-header)
file(MAKE_DIRECTORY ${only_xxhash})
file(CREATE_LINK ${QUORVEL_XXHASH_HEADER} ${only_xxhash}/xxhash.h SYMBOLIC)
target_include_directories(quorvel_xxhash SYSTEM INTERFACE ${only_xxhash})
target_compile_definitions(quorvel_xxhash INTERFACE XXH_INLINE_ALL)
