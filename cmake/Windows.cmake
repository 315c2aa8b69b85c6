# A Windows build made on Debian with MinGW-w64 (cmake/mingw-w64.cmake): the header-only
# libraries taken from Debian's packages, GoogleTest built from Debian's source with the same
# compiler, and Python's test scripts kept out of the emulator.
if(NOT WIN32)
  return()
endif()

# CLI11 and nlohmann-json are headers alone, the same for every target. Their folders are linked
# into the build folder, so the compiler never sees /usr/include and the Linux headers there.
set(QUORVEL_HEADER_ONLY ${CMAKE_BINARY_DIR}/header-only)
file(MAKE_DIRECTORY ${QUORVEL_HEADER_ONLY})
foreach(folder CLI nlohmann)
  if(NOT EXISTS /usr/include/${folder})
    message(FATAL_ERROR "/usr/include/${folder} is missing: run tools/setup.sh windows")
  endif()
  file(CREATE_LINK /usr/include/${folder} ${QUORVEL_HEADER_ONLY}/${folder} SYMBOLIC)
endforeach()
add_library(CLI11::CLI11 INTERFACE IMPORTED GLOBAL)
target_include_directories(CLI11::CLI11 SYSTEM INTERFACE ${QUORVEL_HEADER_ONLY})
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED GLOBAL)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${QUORVEL_HEADER_ONLY})

# GoogleTest from the googletest package's source, compiled with this toolchain.
set(QUORVEL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's source (Debian: googletest)")
if(BUILD_TESTING)
  if(NOT EXISTS ${QUORVEL_GTEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "${QUORVEL_GTEST_SOURCE} is missing: run tools/setup.sh windows")
  endif()
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${QUORVEL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  # Its own build names the libraries GTest::gtest and GTest::gtest_main, as find_package does.
endif()
