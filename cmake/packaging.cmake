# `cpack -G DEB` in a Linux build makes the Debian package. The Windows
# downloads, the portable zip and the MSI, are made by
# resources/windows/bundle.py from what bundle.json below names.
if(WIN32)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(msi_arch x86)
  else()
    set(msi_arch x64)
  endif()
  file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/bundle.json CONTENT "{
  \"exe\": \"$<TARGET_FILE:kestrova>\",
  \"icon\": \"${PROJECT_BINARY_DIR}/resources/kestrova-installer.ico\",
  \"readme\": \"${PROJECT_BINARY_DIR}/resources/README-BG.txt\",
  \"guide\": \"${PROJECT_BINARY_DIR}/resources/za-uchitelya.html\",
  \"license\": \"${PROJECT_SOURCE_DIR}/LICENSE\",
  \"homepage\": \"${KESTROVA_HOMEPAGE}\",
  \"contact\": \"${KESTROVA_CONTACT}\",
  \"update_url\": \"${KESTROVA_UPDATE_URL}\",
  \"download_url\": \"${KESTROVA_DOWNLOAD_URL}\",
  \"app_id\": \"${KESTROVA_APP_ID}\",
  \"version\": \"${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}\",
  \"version_text\": \"${KESTROVA_VERSION_TEXT}\",
  \"msi_arch\": \"${msi_arch}\"
}
")
  return()
endif()

set(CPACK_PACKAGE_NAME kestrova)
set(CPACK_PACKAGE_VENDOR "Kestrova")
set(CPACK_PACKAGE_VERSION "${KESTROVA_VERSION_TEXT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Classroom quiz in Bulgarian: phone makers and their countries")
set(CPACK_PACKAGE_CONTACT "${KESTROVA_CONTACT}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${KESTROVA_HOMEPAGE}")
set(CPACK_STRIP_FILES ON)

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

# The package is the whole install plus what only this project's own
# package carries: its Debian changelog and copyright.
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};ALL;/"
                                 "${PROJECT_BINARY_DIR};${PROJECT_NAME};debian_package;/")
set(CPACK_GENERATOR DEB)
include(CPack)
