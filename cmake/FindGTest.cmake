# Finds GoogleTest as GTest::gtest and GTest::gtest_main.
# Natively: the installed package (Debian's libgtest-dev), through its CMake configuration.
# Cross-compiling (MinGW): no GoogleTest is installed for the target, so its sources (Debian's
# googletest package, or GTEST_SOURCE_DIR) are built with the program's own compiler and flags.
if(NOT CMAKE_CROSSCOMPILING)
  find_package(GTest CONFIG QUIET)
  include(FindPackageHandleStandardArgs)
  find_package_handle_standard_args(GTest CONFIG_MODE)
  return()
endif()

find_path(GTEST_SOURCE_DIR
  NAMES googletest/src/gtest-all.cc
  HINTS ENV GTEST_SOURCE_DIR
  PATHS /usr/src/googletest
  NO_CMAKE_FIND_ROOT_PATH
  DOC "GoogleTest sources, built for the target when cross-compiling")

if(GTEST_SOURCE_DIR AND NOT TARGET gtest)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # Releases before 1.11 define no namespaced names.
  foreach(library gtest gtest_main)
    if(NOT TARGET GTest::${library})
      add_library(GTest::${library} ALIAS ${library})
    endif()
  endforeach()
endif()

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(GTest REQUIRED_VARS GTEST_SOURCE_DIR)
