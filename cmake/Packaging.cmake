# The Debian package, built by `cpack -G DEB` from the install rules of the
# whole tree. Included last by the top-level CMakeLists.txt so that CPack sees
# every install rule.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VENDOR "The Vantrel developers")
set(CPACK_PACKAGE_CONTACT "The Vantrel developers <dev@vantrel.invalid>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "solver for the card game of 24")
set(CPACK_PACKAGE_HOMEPAGE_URL ${PROJECT_HOMEPAGE_URL})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Stripped as Debian strips its packages: CPack strips the symbols, and a
# script then removes the .comment and .note sections that strip leaves.
set(CPACK_STRIP_FILES ON)
set(CPACK_VANTREL_OBJCOPY ${CMAKE_OBJCOPY})
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/StripSections.cmake)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Vantrel developers <dev@vantrel.invalid>")
# The programs live in /usr/bin, so the package is no "games" one (those keep
# theirs in /usr/games): it solves arithmetic.
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
# The synopsis line is CPACK_PACKAGE_DESCRIPTION_SUMMARY; this is the extended
# description, which CPack indents.
if(VANTREL_BUILD_GUI)
  set(deb_contents "the desktop program vantrel, with a Chinese interface,
which takes whole numbers of one or two digits, and the command-line
tool vantrel-solve")
else()
  set(deb_contents "the command-line tool vantrel-solve")
endif()
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Vantrel lists every expression that combines four numbers, each used
once, with +, -, *, / and parentheses so that the value is 24, with a
count of the distinct ways.
.
The package holds ${deb_contents}, which takes any
decimal numbers and solves a file of hands a line at a time.")
unset(deb_contents)

# dpkg-shlibdeps finds the Qt and C++ libraries the binaries link to (the xcb
# platform plugin comes with libqt6gui6). The window's Chinese captions need a
# CJK font, which nothing links to, so it is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(VANTREL_BUILD_GUI)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-uming | fonts-noto-cjk")
  # Qt's Wayland platform plugin, for sessions that offer no X server.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
endif()
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
