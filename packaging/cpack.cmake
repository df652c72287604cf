# The Debian packages: `cpack -G DEB` in a build configured with CMAKE_INSTALL_PREFIX=/usr
# (scripts/package does both) makes gryvel, the programs, and gryvel-data, the dictionaries
# for every architecture. They install where the build was configured to, as the programs
# look for their data there.
set(CPACK_PACKAGE_NAME gryvel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Gryvel developers")
# The maintainer: scripts/package passes DEBFULLNAME and DEBEMAIL, else the last commit's
# author.
set(GRYVEL_MAINTAINER "" CACHE STRING "Name <address> of who builds the Debian packages")
set(CPACK_PACKAGE_CONTACT "${GRYVEL_MAINTAINER}")
# Each package's description starts with its own summary line, so no common summary is set
# (CPack would put it before both).
string(CONCAT CPACK_DEBIAN_PROGRAM_DESCRIPTION
       "find words for crosswords and word games\n"
       "Gryvel holds Russian and English word dictionaries in memory and finds\n"
       "words that fit a crossword pattern, anagrams, palindromes, word chains\n"
       "and splits of a word into several words, in a desktop window (gryvel)\n"
       "or in a terminal (gryvel-cli). A Russian dictionary (from hunspell-ru,\n"
       "with the synonyms of the mythes-ru thesaurus) and an English one (from\n"
       "WordNet 3.0) come in the package gryvel-data.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL program data)

set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME gryvel)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SHLIBDEPS ON)
# Beside the libraries dpkg-shlibdeps finds: Qt's X11 and Wayland platform plugins (the
# window cannot open without one), the fonts the word list is designed for and the
# dictionaries of this very version. xdg-utils is only suggested: Qt opens web links itself
# on desktops it knows and reaches for xdg-open elsewhere; where that is missing too, the
# window says that no browser could be started, and nothing else needs it.
set(CPACK_DEBIAN_PROGRAM_PACKAGE_DEPENDS
    "qt6-qpa-plugins, fonts-liberation2, fonts-dejavu-core, gryvel-data (= ${PROJECT_VERSION}-1)")
set(CPACK_DEBIAN_PROGRAM_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SUGGESTS "xdg-utils")

set(CPACK_DEBIAN_DATA_PACKAGE_NAME gryvel-data)
set(CPACK_DEBIAN_DATA_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_DATA_PACKAGE_SECTION text)
string(CONCAT CPACK_DEBIAN_DATA_DESCRIPTION
       "dictionaries for Gryvel, the crossword helper\n"
       "The word dictionaries of Gryvel: a Russian one built from the word list of\n"
       "hunspell-ru with the synonyms and antonyms of the mythes-ru thesaurus, an\n"
       "English one built from WordNet 3.0, and the Russian translations of English\n"
       "head words taken from mueller7-dict, with which Gryvel finds Russian words by\n"
       "their meaning.")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
if(CMAKE_INSTALL_PREFIX MATCHES "^/usr/local")
  message(STATUS "Debian packages need -DCMAKE_INSTALL_PREFIX=/usr (scripts/package sets it)")
endif()
include(CPack)
