# Faults in what the desktop, apt and a distribution's reviewer are given,
# seen by the package test (which builds the Debian package from the
# release build).
T = "^install_and_debian_package$"
G = "^teachers_guide$"
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
    Fault("the release notes a version behind", "resources/linux/releases.xml",
          '<release version="1.00"', '<release version="0.99"', T),
    Fault("the manual page's header broken", "resources/linux/kestrova.1.in",
          '.TH KESTROVA 1 @KESTROVA_RELEASE_DATE@ "Kestrova @KESTROVA_VERSION_TEXT@" "User Commands"', '.TH KESTROVA',
          T),
    Fault("a terminal window opened beside the quiz", "resources/linux/kestrova.desktop.in",
          "Terminal=false", "Terminal=true", T),
    Fault("the manual page tells the two buttons the wrong way round", "resources/linux/kestrova.1.in",
          ".BR Изведи ;\nthe program says", ".BR Чисти ;\nthe program says", T),
    Fault("the changelog's notes not the metainfo's: the Bulgarian ones too", "resources/linux/releases.py",
          'for p in release.iterfind("description/p") if p.get(LANG) is None]',
          'for p in release.iterfind("description/p")]', T),
    Fault("the metainfo without its Bulgarian name", "resources/linux/kestrova.metainfo.xml.in",
          '<name xml:lang="bg">', '<name xml:lang="ru">', T),
    Fault("the metainfo with the tag Debian 12's AppStream does not know", "resources/linux/kestrova.metainfo.xml.in",
          "  <developer_name>The Kestrova developers</developer_name>\n",
          "  <developer_name>The Kestrova developers</developer_name>\n"
          "  <developer id=\"org.example\"><name>The Kestrova developers</name></developer>\n", T),
    Fault("the metainfo without touch", "resources/linux/kestrova.metainfo.xml.in",
          "    <control>touch</control>\n", "", T),
    Fault("the caption's address typed in, not the publisher's", "window/form/quiz_form.cpp",
          'KESTROVA_PUBLISHER_ADDRESS u" Kestrova"', 'u"www.kestrova.example Kestrova"',
          "^(QuizFormTest.TheWindowCaptionIsThePublishersAddressThenTheTitle|publisher_settings_reach_every_place)$"),
    Fault("the page with only the licence's first line", "window/web/inline_icon.py",
          'open(license_file, encoding="utf-8").read().strip()', 'open(license_file, encoding="utf-8").readline().strip()',
          "^web_page_carries_the_licence$", builds=["web", "ci"]),
    # The packing step, which the package test runs on the three builds (the
    # 64-bit Windows one configured and built for the first fault).
    Fault("the 64-bit program packed into the zip and the MSI", "scripts/package",
          "  resources/windows/bundle.py zip build/windows-i686 \"$dist\" >/dev/null\n"
          "  resources/windows/bundle.py msi build/windows-i686 \"$dist\" >/dev/null\n",
          "  resources/windows/bundle.py zip build/windows \"$dist\" >/dev/null\n"
          "  resources/windows/bundle.py msi build/windows \"$dist\" >/dev/null\n", "^package_script_downloads$"),
    Fault("the zip's folder named with the three-part version", "resources/windows/bundle.py",
          'folder = f"kestrova-{info[\'version_text\']}-windows"', 'folder = f"kestrova-{info[\'version\']}-windows"',
          "^package_script_downloads$"),
]
# A second set, run alone with --group second.
S = "second"
INSTALL = "^(install_and_debian_package|leaves_no_trace)$"
FAULTS += [
    Fault("the desktop entry's icon named by the program, not the application id",
          "resources/linux/kestrova.desktop.in", "Icon=@KESTROVA_APP_ID@", "Icon=kestrova", T, group=S),
    Fault("the Bulgarian name for Bulgaria only", "resources/linux/kestrova.desktop.in",
          "Name[bg]=Кестрова", "Name[bg_BG]=Кестрова", T, group=S),
    Fault("the metainfo launches the id without .desktop", "resources/linux/kestrova.metainfo.xml.in",
          "@KESTROVA_APP_ID@.desktop</launchable>", "@KESTROVA_APP_ID@</launchable>", T, group=S),
    Fault("the banner's light blue a shade off the window's", "resources/linux/kestrova.metainfo.xml.in",
          '<color type="primary" scheme_preference="light">#c0c0ff</color>',
          '<color type="primary" scheme_preference="light">#c0c0f0</color>', T, group=S),
    Fault("icons installed without their size folder's x", "resources/CMakeLists.txt",
          "icons/hicolor/${size}x${size}/apps)", "icons/hicolor/${size}/apps)", INSTALL, group=S),
    Fault("the manual page installed beside the sections", "resources/CMakeLists.txt",
          "DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)", "DESTINATION ${CMAKE_INSTALL_MANDIR})", INSTALL, group=S),
    Fault("the package filed in misc", "cmake/packaging.cmake",
          "set(CPACK_DEBIAN_PACKAGE_SECTION education)", "set(CPACK_DEBIAN_PACKAGE_SECTION misc)", T, group=S),
    Fault("the copyright's licence paragraphs run together", "resources/CMakeLists.txt",
          'string(REPLACE "\\n\\n" "\\n.\\n" license_text "${license_text}")\n', "",
          "^(install_and_debian_package|licensing_reuse)$", group=S),
    # The teachers' guide, as a teacher reads it and as each download carries it.
    Fault("the guide names the licence LICENSE, which no download holds", "docs/za-uchitelya.md.in",
          "`LICENSE.txt` (в архива", "`LICENSE` (в архива", G, group="guide"),
    Fault("the guide pairs Sony Mobile with Sweden", "docs/za-uchitelya.md.in",
          "| Sony Mobile | Англия |", "| Sony Mobile | Швеция |", G, group="guide"),
    Fault("the guide quotes a button in «»", "docs/za-uchitelya.md.in",
          "натиска „Изведи“", "натиска «Изведи»", G, group="guide"),
    Fault("the guide's MSI a version behind, typed by hand", "docs/za-uchitelya.md.in",
          "| `kestrova-@KESTROVA_VERSION_TEXT@-windows.msi` |", "| `kestrova-0.99-windows.msi` |", G, group="guide"),
    Fault("the guide's style hashed without its first line break", "resources/guide_html.py",
          "hashlib.sha256(style.encode())", "hashlib.sha256(STYLE.encode())", "^teachers_guide_in_a_browser$",
          group="guide"),
    Fault("the guide's table wider than a phone", "resources/guide_html.py",
          " td { overflow-wrap: anywhere; }", "", "^teachers_guide_in_a_browser$", group="guide"),
    Fault("the Debian package without the guide", "resources/CMakeLists.txt",
          "install(FILES ${guide_page} DESTINATION ${CMAKE_INSTALL_DOCDIR})\n", "", T, group="guide"),
    Fault("the guide says the Debian package's licence is LICENSE.txt", "docs/za-uchitelya.md.in",
          "и лиценза, `copyright`", "и лиценза, `LICENSE.txt`", T, group="guide"),
]
# A third set, run alone with --group third: the manual page, and the
# scripts that set up a machine and check a distribution's build.
SCRIPTS = "^setup_and_distro_check_scripts$"
FAULTS += [
    Fault("the manual's homepage and update page in each other's place", "resources/linux/kestrova.1.in",
          "@MAN_HOMEPAGE@, and new versions at\n@MAN_UPDATE_URL@.", "@MAN_UPDATE_URL@, and new versions at\n@MAN_HOMEPAGE@.",
          T, group="third"),
    Fault("setup uses sudo as root and not as a normal user", "scripts/setup",
          '[ "$(id -u)" -eq 0 ] || sudo=(sudo)', '[ "$(id -u)" -ne 0 ] || sudo=(sudo)', SCRIPTS, group="third"),
    Fault("setup lets npm run the packages' install scripts", "scripts/setup",
          "npm ci --ignore-scripts", "npm ci", SCRIPTS, group="third"),
    Fault("distro-check passes over the tests' failure", "scripts/distro-check",
          '>ctest.log 2>&1 || tested=$?', '>ctest.log 2>&1 || true', SCRIPTS, group="third"),
]
