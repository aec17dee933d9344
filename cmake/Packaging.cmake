# The release: a zip of the shipped 32-bit program with its README and
# LICENSE, made by cpack from the win32 build. Other builds ship nothing.
if(NOT (WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4))
    return()
endif()

install(TARGETS appuntex RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_VENDOR "appuntex contributors")
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-win32)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# Next to the program, whichever folder cpack is started from.
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
include(CPack)
