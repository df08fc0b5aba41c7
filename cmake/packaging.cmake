# `cpack -G DEB` in a Linux build makes the Debian package; `cpack -G ZIP` in
# the Windows build makes the portable bundle.
set(CPACK_PACKAGE_NAME kestrova)
set(CPACK_PACKAGE_VENDOR "Kestrova")
set(CPACK_PACKAGE_VERSION "${KESTROVA_VERSION_TEXT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Classroom quiz in Bulgarian: phone makers and their countries")
set(CPACK_PACKAGE_CONTACT "Kestrova <team@kestrova.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.kestrova.example/")
# The Windows program is linked stripped already; stripping it again would
# only change its time stamp.
if(NOT WIN32)
  set(CPACK_STRIP_FILES ON)
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
# Libraries from the binary itself; the window system plugin and the font are
# loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")

if(WIN32)
  set(CPACK_SYSTEM_NAME windows)
  set(CPACK_GENERATOR ZIP)
else()
  set(CPACK_GENERATOR DEB)
endif()
include(CPack)
