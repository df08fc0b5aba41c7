# Faults in what the desktop, apt and a distribution's reviewer are given,
# seen by the package test (which builds the Debian package from the
# release build).
T = "^install_and_debian_package$"
FAULTS = [
    Fault("the window's class not the desktop entry's", "window/qt/main.cpp",
          "QGuiApplication::setDesktopFileName(QStringLiteral(KESTROVA_APP_ID));", "",
          "^(install_and_debian_package|qt_real_window_answers_and_tells_the_window_manager_its_size|wayland_window)$"),
    Fault("the quiz filed under games", "resources/linux/kestrova.desktop.in",
          "Categories=Education;", "Categories=Game;", T),
    Fault("no 48 px icon", "resources/CMakeLists.txt",
          "foreach(size 16 24 32 48 64 128 256)", "foreach(size 16 24 32 64 128 256)", T),
    Fault("the font no longer a dependency", "cmake/packaging.cmake",
          'set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")', 'set(CPACK_DEBIAN_PACKAGE_DEPENDS "")', T),
    Fault("the changelog a version behind", "resources/linux/changelog",
          "kestrova (1.00) unstable; urgency=medium", "kestrova (0.99) unstable; urgency=medium", T),
    Fault("the manual page's header broken", "resources/linux/kestrova.1",
          '.TH KESTROVA 1 2026-12-08 "Kestrova 1.00" "User Commands"', '.TH KESTROVA', T),
    Fault("the metainfo without its Bulgarian name", "resources/linux/kestrova.metainfo.xml.in",
          '<name xml:lang="bg">', '<name xml:lang="ru">', T),
]
