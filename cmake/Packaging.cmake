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
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Vantrel developers <dev@vantrel.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
# The synopsis line is CPACK_PACKAGE_DESCRIPTION_SUMMARY; this is the extended
# description, which CPack indents.
if(VANTREL_BUILD_GUI)
  set(deb_contents "the desktop program vantrel, with a Chinese interface,\nand the command-line tool vantrel-solve")
else()
  set(deb_contents "the command-line tool vantrel-solve")
endif()
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Type four whole numbers of one or two digits and Vantrel lists every
expression that combines them, each used once, with +, -, *, / and
parentheses so that the value is 24, with a count of the distinct ways.
.
The package holds ${deb_contents}.")
unset(deb_contents)

# dpkg-shlibdeps finds the Qt and C++ libraries the binaries link to (the xcb
# platform plugin comes with libqt6gui6). The window's Chinese captions need a
# CJK font, which nothing links to, so it is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(VANTREL_BUILD_GUI)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-uming | fonts-noto-cjk")
endif()
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
