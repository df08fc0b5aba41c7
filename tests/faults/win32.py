# Faults in the native Windows program, seen by the Wine window tests (the
# 64-bit build; they check the running program from outside, and the window
# code in their own process).
T = "^win32_window_under_wine$"
T_CODE = "^win32_window_(code_)?under_wine$"
W = "windows"
FAULTS = [
    Fault("the heading drawn left-aligned", "window/win32/quiz_window.cpp",
          "(c.align == form::Align::Centre ? SS_CENTER : SS_LEFT)", "SS_LEFT", T, preset=W),
    Fault("the result box scrolls sideways instead of wrapping", "window/win32/quiz_window.cpp",
          "ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL",
          "ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL", T, preset=W),
    Fault("a held button drawn as at rest", "window/win32/coloured_button.cpp",
          "const bool pressed = (item.itemState & ODS_SELECTED) != 0;", "const bool pressed = false;", T, preset=W),
    Fault("the ring drawn in the button's face colour", "window/win32/focus_ring.cpp",
          "HBRUSH ink = GetSysColorBrush(COLOR_WINDOWTEXT);", "HBRUSH ink = GetSysColorBrush(COLOR_BTNFACE);", T,
          preset=W),
    Fault("the option rows made bottom row first", "window/win32/quiz_window.cpp",
          "for (const form::Control* c : form::SiblingOrder(form_)) {",
          "auto order = form::SiblingOrder(form_);\n    std::reverse(order.begin(), order.end());\n"
          "    for (const form::Control* c : order) {", T, preset=W),
    Fault("hidden controls shown", "window/win32/quiz_window.cpp",
          "(c->visible ? WS_VISIBLE : 0)", "WS_VISIBLE", T, preset=W),
    Fault("only the first verdict raises a live change", "window/win32/accessibility.cpp",
          "void LiveRegion::Announce(HWND box) {\n",
          "void LiveRegion::Announce(HWND box) {\n    if (annotated_) return;\n", T, preset=W),
    Fault("the controls keep the old font at a new density", "window/win32/quiz_window.cpp",
          "    children_.ForEach([&](const form::Control&, HWND child) {\n"
          "        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);\n    });\n    DeleteObject(old);",
          "    DeleteObject(old);", T_CODE, preset=W),
    Fault("the window keeps the suggested size, not its client area's", "window/win32/quiz_window.cpp",
          "    PlaceChildWindows();\n    FitClientArea();\n    InvalidateRect", "    PlaceChildWindows();\n    InvalidateRect",
          T, preset=W),
    Fault("the option circle ringed in the system's grey", "window/win32/option_button.cpp",
          "Disc(dc, Within(r, indicator.circle), ink,",
          "Disc(dc, Within(r, indicator.circle), GetSysColor(COLOR_BTNSHADOW),", T, preset=W),
    Fault("a checked option drawn without its dot", "window/win32/quiz_window.cpp",
          "{(state & BST_CHECKED) != 0,", "{(state & BST_PUSHED) != 0,", T, preset=W),
    Fault("a focused option row drawn without its ring", "window/win32/quiz_window.cpp",
          "GetFocus() == draw.hdr.hwndFrom}", "GetFocus() == hwnd_}", T, preset=W),
    Fault("the option captions placed after a circle scaled twice", "window/form/form_rules.cpp",
          "const int size = IndicatorSize(dpi), height", "const int size = IndicatorSize(dpi * dpi / kReferenceDpi), height",
          T_CODE, preset=W),
    Fault("the program asks for administrator rights", "window/win32/kestrova.manifest.in",
          '<requestedExecutionLevel level="asInvoker" uiAccess="false"/>',
          '<requestedExecutionLevel level="requireAdministrator" uiAccess="false"/>',
          "^win32_exe_resources_and_imports$", preset="windows-i686"),
    Fault("the zip without the licence", "resources/windows/bundle.py",
          '                    "LICENSE.txt": license_text(info)}.items())', "                    }.items())",
          "^win32_portable_zip$", preset="windows-i686"),
    Fault("the read-me without its byte-order mark", "resources/windows/README-BG.txt.in",
          "\ufeffKestrova @KESTROVA_VERSION_TEXT@", "Kestrova @KESTROVA_VERSION_TEXT@", "^win32_portable_zip$",
          preset="windows-i686"),
    Fault("the MSI without the licence", "resources/windows/kestrova.wxs",
          '      <ComponentRef Id="License"/>\n', "", "^win32_msi_install_upgrade_remove_under_wine$",
          preset="windows-i686"),
    Fault("the MSI's icon the program's one 32 px image", "cmake/packaging.cmake",
          "${PROJECT_BINARY_DIR}/resources/kestrova-installer.ico", "${PROJECT_BINARY_DIR}/window/win32/kestrova.ico",
          "^win32_msi_install_upgrade_remove_under_wine$", preset="windows-i686"),
    Fault("the UpgradeCode in lower case", "resources/windows/kestrova.wxs",
          'UpgradeCode="5FEBD712-854C-494F-9F2B-5761AF783D09"', 'UpgradeCode="5febd712-854c-494f-9f2b-5761af783d09"',
          "^win32_msi_install_upgrade_remove_under_wine$", preset="windows-i686"),
    Fault("the result box painted in the button face, not the window colour", "window/win32/quiz_window.cpp",
          "        SetBkColor(dc, GetSysColor(COLOR_WINDOW));\n"
          "        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));",
          "        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));\n"
          "        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));", T, preset=W),
    Fault("the result box's ring left drawn when the focus leaves it", "window/win32/quiz_window.cpp",
          "if (code == EN_SETFOCUS || code == EN_KILLFOCUS) return", "if (code == EN_SETFOCUS) return", T, preset=W),
]
# A second set, run alone with --group second.
S = "second"
PACKAGES = "^win32_(portable_zip|msi_install_upgrade_remove_under_wine)$"
FAULTS += [
    Fault("Enter presses nothing", "window/win32/quiz_window.cpp",
          "    if (number == IDOK) return OnEnter();\n", "", T_CODE, preset=W, group=S),
    Fault("the font sized for 96 dpi at every density", "window/win32/quiz_window.cpp",
          "CreateFontW(-MulDiv(form_.font.points, dpi_, 72)", "CreateFontW(-MulDiv(form_.font.points, 96, 72)",
          T_CODE, preset=W, group=S),
    Fault("the font without its Cyrillic character set", "window/win32/quiz_window.cpp",
          "static_cast<BYTE>(form_.font.charset)", "DEFAULT_CHARSET", T_CODE, preset=W, group=S),
    Fault("a command button's caption in grey", "window/win32/coloured_button.cpp",
          "SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));", "SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));", T_CODE,
          preset=W, group=S),
    Fault("a held button's caption does not move", "window/win32/coloured_button.cpp",
          "    if (pressed) r = {r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};\n", "", T_CODE, preset=W, group=S),
    Fault("the program's original file name capitalised", "window/win32/kestrova.rc",
          'VALUE "OriginalFilename", "kestrova.exe"', 'VALUE "OriginalFilename", "Kestrova.exe"',
          "^win32_exe_resources_and_imports$", preset=W, group=S),
    Fault("the manifest asks for the system's density only", "window/win32/kestrova.manifest.in",
          "true/pm</dpiAware>\n      <dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
          "PerMonitorV2, PerMonitor</dpiAwareness>", "true</dpiAware>",
          "^win32_(exe_resources_and_imports|window_(code_)?under_wine)$", preset=W, group=S),
    Fault("the MSI installs for one user", "resources/windows/kestrova.wxs",
          'InstallScope="perMachine"', 'InstallScope="perUser"', PACKAGES, preset=W, group=S),
    Fault("Add/Remove Programs' help link the contact address", "resources/windows/kestrova.wxs",
          '<Property Id="ARPHELPLINK" Value="$(var.Homepage)"/>', '<Property Id="ARPHELPLINK" Value="$(var.Contact)"/>',
          PACKAGES, preset=W, group=S),
    Fault("the read-me with Unix line ends", "resources/CMakeLists.txt",
          "README-BG.txt @ONLY NEWLINE_STYLE CRLF)", "README-BG.txt @ONLY)", PACKAGES, preset=W, group=S),
]
# A third set, run alone with --group third.
FAULTS += [
    Fault("a held option circle's face the ink's shade of the face, not the face's of the ink",
          "window/win32/option_button.cpp", "state.held ? Held(face, ink) : face", "state.held ? Held(ink, face) : face",
          T, preset=W, group="third"),
    Fault("the focus ring's top edge drawn under the option row above", "window/win32/focus_ring.cpp",
          "std::max(r.top, visible.top)", "r.top", T, preset=W, group="third"),
]
