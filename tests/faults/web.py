# Faults in the web page, seen by the browser test (built by the web preset,
# run from the Linux build).
B = ["web"]
T = "^web_page_in_browser$"
FAULTS = [
    Fault("the exact form not centred", "window/form/screen_layout.cpp",
          "fit.left = std::max(0, (viewport.width - fit.width) / 2);", "fit.left = 0;", T, builds=B),
    Fault("radios at the old 12 px in the touch layout", "window/form/screen_layout.h",
          "inline constexpr int kTouchIndicator = 24;", "inline constexpr int kTouchIndicator = 12;", T, builds=B),
    Fault("the touch target 40 px", "window/form/screen_layout.h",
          "inline constexpr int kLeastTouchTarget = 44;", "inline constexpr int kLeastTouchTarget = 40;", T, builds=B),
    Fault("the page ignores a change of size", "window/web/dom.js",
          "    window.addEventListener('resize', report);\n", "", T, builds=B),
    Fault("long names cut off in the touch layout", "window/web/shell.html",
          "overflow-wrap: anywhere; }", "white-space: nowrap; overflow: hidden; }", T, builds=B),
    Fault("the focus ring 1 px", "window/web/shell.html",
          ":focus-visible, label:focus-within { outline: var(--line) solid #000;",
          ":focus-visible, label:focus-within { outline: 1px solid #000;", T, builds=B),
    Fault("the radios lose their group", "window/web/dom.js",
          "      input.name = Dom.text(group, groupLength);\n", "", T, builds=B),
    Fault("the box's name lost", "window/web/dom.js",
          "dom_name: function (control, ptr, length) { Dom.parts[control].input.setAttribute('aria-label', "
          "Dom.text(ptr, length)); },", "dom_name: function (control, ptr, length) { },", T, builds=B),
    Fault("the page said to be in English", "window/web/shell.html",
          '<html lang="bg">', '<html lang="en">', "^web_page_declares_its_language$", builds=B),
]
