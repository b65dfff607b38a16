# What the Windows cross build needs beyond the toolchain file: header-only
# CLI11 and nlohmann-json from the build machine, GoogleTest compiled from Debian's sources,
# and Wine as the emulator that runs the tests.

# Both are header-only: their folders alone is put on the include path (the
# whole /usr/include would bring the build machine's C library headers).
find_path(CARTULON_HOST_CLI11 CLI/CLI.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(CARTULON_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${CARTULON_HOST_HEADERS})
file(CREATE_LINK ${CARTULON_HOST_CLI11}/CLI ${CARTULON_HOST_HEADERS}/CLI SYMBOLIC)
set(CLI11_INCLUDE_DIR ${CARTULON_HOST_HEADERS} CACHE PATH "CLI11 headers" FORCE)
find_path(CARTULON_HOST_JSON nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
file(CREATE_LINK ${CARTULON_HOST_JSON}/nlohmann ${CARTULON_HOST_HEADERS}/nlohmann SYMBOLIC)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES ${CARTULON_HOST_HEADERS})

if(CARTULON_TESTS)
  set(CARTULON_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources to build for the target")
  if(NOT EXISTS ${CARTULON_GOOGLETEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest sources not found in ${CARTULON_GOOGLETEST_SOURCE} "
                        "(Debian package googletest)")
  endif()
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(${CARTULON_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # Their code, their warnings: not ours to fix.
  target_compile_options(gtest PRIVATE -w)
  target_compile_options(gtest_main PRIVATE -w)
  # GoogleTest's own build names them GTest::gtest and GTest::gtest_main.

  # Wine runs every test: in a prefix of the build's own, created on first
  # use, without a display and without Wine's debug chatter.
  find_program(CARTULON_WINE NAMES wine64 wine PATHS /usr/lib/wine /usr/lib64/wine REQUIRED)
  get_filename_component(CARTULON_WINE_FOLDER ${CARTULON_WINE} DIRECTORY)
  find_program(CARTULON_WINESERVER NAMES wineserver64 wineserver
               HINTS ${CARTULON_WINE_FOLDER} PATHS /usr/lib/wine /usr/lib64/wine REQUIRED)
  set(CARTULON_WINEPREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
  # A spare drive letter mapped to an empty folder, for the tests of a disc
  # whose root is a drive root.
  set(CARTULON_WINE_TEST_DRIVE q)
  set(CARTULON_WINE_TEST_DRIVE_FOLDER ${CMAKE_BINARY_DIR}/wine-drive-q)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                  WORLD_READ WORLD_EXECUTE
                 @ONLY)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
  # Paths compiled into the tests are the build machine's; Wine reaches
  # them through its drive Z:, which maps the whole file system.
  set(CARTULON_TEST_PATH_PREFIX "Z:")
endif()
