# `cpack -G DEB` in a Linux build makes the Debian package; `cpack -G ZIP` in
# the Windows build makes the portable bundle.
set(CPACK_PACKAGE_NAME kestrova)
set(CPACK_PACKAGE_VENDOR "Kestrova")
set(CPACK_PACKAGE_VERSION "${KESTROVA_VERSION_TEXT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Classroom quiz in Bulgarian: phone makers and their countries")
set(CPACK_PACKAGE_CONTACT "The Kestrova developers <team@kestrova.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.kestrova.example/")
# The Windows program is linked stripped already; stripping it again would
# only change its time stamp.
if(NOT WIN32)
  set(CPACK_STRIP_FILES ON)
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[
Kestrova is a small quiz for the Bulgarian classroom. One window lists ten
firms that make mobile phones and ten countries, each as a group of option
buttons. The student picks a firm and a country; the program says whether
that country is the firm's home country and, when the answer is right,
describes the firm.

The window's texts are in Bulgarian. Everything can be done by keyboard, and
a screen reader hears every verdict. The program reads and writes no files
and uses no network.]=])
# Libraries from the binary itself; the font is loaded at run time, so it is
# named here. The X11 window system plugin comes with libqt6gui6; on a
# Wayland desktop Qt opens the window natively with qt6-wayland.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
# Folders the package makes are 755 whatever the umask of whoever packages.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# Stripping, as for the package, also drops the compiler's version notes,
# which a program does not need.
if(NOT WIN32)
  set(strip_comment [=[
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND "@CMAKE_OBJCOPY@" --remove-section=.comment
                              "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/@CMAKE_INSTALL_BINDIR@/kestrova"
                      COMMAND_ERROR_IS_FATAL ANY)
    endif()]=])
  string(CONFIGURE "${strip_comment}" strip_comment @ONLY)
  install(CODE "${strip_comment}")
endif()

if(WIN32)
  set(CPACK_SYSTEM_NAME windows)
  set(CPACK_GENERATOR ZIP)
else()
  set(CPACK_GENERATOR DEB)
endif()
include(CPack)
