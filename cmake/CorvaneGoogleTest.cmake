# GoogleTest for every build: the packaged library on Linux, and for the
# Windows cross build the sources Debian ships (package googletest), compiled
# with the MinGW toolchain so that the same suites run as Windows programs.
# Either way the targets are GTest::gtest, GTest::gtest_main, GTest::gmock and
# GTest::gmock_main, and a later find_package(GTest) finds them.
#
# Include before the project's warning flags: GoogleTest is not built with
# -Wconversion -Werror in mind.

if(NOT CMAKE_CROSSCOMPILING)
  find_package(GTest REQUIRED)
  return()
endif()

set(CORVANE_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the cross build")
if(NOT EXISTS ${CORVANE_GOOGLETEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "No GoogleTest sources in ${CORVANE_GOOGLETEST_SOURCE}; install googletest")
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${CORVANE_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# The targets exist already; the package file only has to say so.
set(_corvane_gtest_config ${CMAKE_BINARY_DIR}/googletest-config)
file(WRITE ${_corvane_gtest_config}/GTestConfig.cmake
  "# Cross build: GoogleTest is built from source in this tree.\n")
file(WRITE ${_corvane_gtest_config}/GTestConfigVersion.cmake
  "set(PACKAGE_VERSION 1.12.1)\nset(PACKAGE_VERSION_COMPATIBLE TRUE)\n")
set(GTest_DIR ${_corvane_gtest_config} CACHE PATH "" FORCE)
