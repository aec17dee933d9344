# GoogleTest for the test programs: built from the source tree that Debian's
# googletest package installs, so the host and the mingw builds use the same
# version; elsewhere, an installed GoogleTest package.
set(GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest source tree")

if(EXISTS ${GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
    find_package(GTest)
endif()

if(NOT TARGET GTest::gmock)
    message(STATUS "GoogleTest not found: the test programs are not built")
    return()
endif()

include(GoogleTest)
