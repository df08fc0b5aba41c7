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
  \"icon\": \"${PROJECT_BINARY_DIR}/window/win32/kestrova.ico\",
  \"readme\": \"${PROJECT_BINARY_DIR}/resources/README-BG.txt\",
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
set(CPACK_PACKAGE_CONTACT "Kestrova <team@kestrova.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.kestrova.example/")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
# Libraries from the binary itself; the window system plugin and the font are
# loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")

set(CPACK_GENERATOR DEB)
include(CPack)
