# Provides GTest::gtest and GTest::gtest_main, or sets QMM_HAVE_GTEST to OFF.
# Cross builds compile Debian's googletest sources with the cross compiler;
# native builds use the installed package.
set(QMM_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")

if(CMAKE_CROSSCOMPILING AND EXISTS ${QMM_GOOGLETEST_SOURCE}/CMakeLists.txt)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${QMM_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  if(NOT TARGET GTest::gtest)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
  set(QMM_HAVE_GTEST ON)
else()
  find_package(GTest)
  set(QMM_HAVE_GTEST ${GTest_FOUND})
endif()

if(NOT QMM_HAVE_GTEST)
  message(WARNING "GoogleTest not found: the tests are not built")
endif()
