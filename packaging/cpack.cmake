# The Debian package: `cpack -G DEB` in a build configured with CMAKE_INSTALL_PREFIX=/usr
# (scripts/package does both). The package installs where the build was configured to, as
# the programs look for their data there.
set(CPACK_PACKAGE_NAME gryvel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Gryvel developers")
set(CPACK_PACKAGE_CONTACT "Gryvel developers <dev@gryvel.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "find words for crosswords and word games")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Gryvel holds Russian and English word dictionaries in memory and finds\n"
       "words that fit a crossword pattern, anagrams, palindromes, word chains\n"
       "and splits of a word into several words, in a desktop window (gryvel)\n"
       "or in a terminal (gryvel-cli). A Russian dictionary (from hunspell-ru)\n"
       "and an English one (from WordNet 3.0) come with it.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://gryvel.example/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beside the libraries dpkg-shlibdeps finds: Qt's X11 and Wayland platform plugins (the
# window cannot open without one) and the fonts the word list is designed for.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
if(CMAKE_INSTALL_PREFIX MATCHES "^/usr/local")
  message(STATUS "Debian packages need -DCMAKE_INSTALL_PREFIX=/usr (scripts/package sets it)")
endif()
include(CPack)
