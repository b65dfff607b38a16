# What the build's packages hold. Windows: a ZIP, cartulon-<version>-win64.zip,
# with the batch command, the README (as README.txt with CR LF line ends, for
# Notepad) and the licence, in a folder of the same name.
if(WIN32)
  install(TARGETS cartulon-cli RUNTIME DESTINATION .)

  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/README.md)
  file(READ ${PROJECT_SOURCE_DIR}/README.md CARTULON_README)
  string(REPLACE "\r\n" "\n" CARTULON_README "${CARTULON_README}")
  string(REPLACE "\n" "\r\n" CARTULON_README "${CARTULON_README}")
  file(WRITE ${PROJECT_BINARY_DIR}/package/README.txt "${CARTULON_README}")
  install(FILES ${PROJECT_BINARY_DIR}/package/README.txt DESTINATION .)

  set(CARTULON_LICENCE "")
  foreach(name LICENSE LICENSE.txt LICENSE.md COPYING)
    if(NOT CARTULON_LICENCE AND EXISTS ${PROJECT_SOURCE_DIR}/${name})
      set(CARTULON_LICENCE ${PROJECT_SOURCE_DIR}/${name})
    endif()
  endforeach()
  if(CARTULON_LICENCE)
    install(FILES ${CARTULON_LICENCE} DESTINATION .)
  else()
    message(WARNING "No licence file (LICENSE) in the source tree: the ZIP goes without one")
  endif()

  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_NAME cartulon)
  set(CPACK_PACKAGE_VENDOR "Cartulon")
  set(CPACK_PACKAGE_FILE_NAME "cartulon-${PROJECT_VERSION}-win64")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
  set(CPACK_STRIP_FILES ON)
  include(CPack)
endif()
