# The package of a release build, made by `cpack` in the build folder: a
# Debian package on Linux (cartulon_<version>_amd64.deb), a ZIP archive on
# Windows. Everything the install() rules put under the prefix goes in.

# What the package says about itself. The release date belongs to the
# project version: change them together.
set(CARTULON_RELEASE_DATE 2026-12-09)
set(CARTULON_RELEASE_DATE_RFC2822 "Wed, 09 Dec 2026 12:00:00 +0000")
set(CARTULON_APP_ID com.zolt.Cartulon)
set(CARTULON_MAINTAINER "Zolt Cartulon developers <cartulon@zolt.example>"
    CACHE STRING "Maintainer of the package: name and mail address")
set(CARTULON_HOMEPAGE "https://cartulon.zolt.example/"
    CACHE STRING "The project's web site, ending in a slash")
# AppStream wants its screenshot on the web: the site publishes
# docs/main-window.png under this address.
set(CARTULON_SCREENSHOT_URL "${CARTULON_HOMEPAGE}screenshots/main-window.png"
    CACHE STRING "Web address of docs/main-window.png")
set(CPACK_PACKAGE_NAME cartulon)
set(CPACK_PACKAGE_VENDOR "Zolt")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "file list builder for motherboard support discs")
# The long description as the package shows it: lines of at most 72
# characters, a blank line between paragraphs.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Cartulon builds FileList.txt for the support disc of a motherboard: it"
  "scans the disc's folder tree, reads the INI files that each driver and"
  "utility package carries, and writes a column-aligned list of the disc's"
  "folders with a one-line description each, headed by the board name and"
  "closed by the maker's contact block. On request it also writes"
  "DriverInformation.csv, a table of the certified and beta drivers."
  ""
  "The package holds the desktop program cartulon, with a checkable folder"
  "tree and a live preview of the list, and the batch command cartulon-cli"
  "for scripted disc builds.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
# The package's folders as the installed system has them, whatever the
# umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)

if(WIN32)
  # cartulon-<version>-win64.zip: the batch command, the README (as
  # README.txt with CR LF line ends, for Notepad) and the licence, in a
  # folder of the same name.
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/README.md)
  file(READ ${PROJECT_SOURCE_DIR}/README.md CARTULON_README)
  string(REPLACE "\r\n" "\n" CARTULON_README "${CARTULON_README}")
  string(REPLACE "\n" "\r\n" CARTULON_README "${CARTULON_README}")
  file(WRITE ${PROJECT_BINARY_DIR}/package/README.txt "${CARTULON_README}")
  install(FILES ${PROJECT_BINARY_DIR}/package/README.txt ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME "cartulon-${PROJECT_VERSION}-win64")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CARTULON_MAINTAINER}")
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${CARTULON_HOMEPAGE}")
  # Depends: the libraries the programs link, found by dpkg-shlibdeps; the
  # desktop program also needs Qt's platform plugins, which it loads itself.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  if(TARGET cartulon)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
    # Qt's own buttons and dialogs in the Chinese UI languages, and a font
    # that has the Chinese texts (without one they show as boxes).
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
        "qt6-translations-l10n, fonts-wqy-microhei | fonts-noto-cjk")
  endif()
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
endif()

include(CPack)
