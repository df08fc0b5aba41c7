# Faults in the web page, seen by the browser test (built by the web preset,
# run from the Linux build).
B = ["web"]
# The page's own logic and layout, the same in every engine: Chromium sees it.
T = "^web_page_chromium$"
EVERY_ENGINE = "^web_page_(chromium|firefox|webkit)$"
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
    Fault("each engine draws its own faint circle", "window/web/shell.html",
          "input[type=radio] { -webkit-appearance: none; appearance: none; box-sizing: border-box;",
          "input[type=radio] { box-sizing: border-box;", EVERY_ENGINE, builds=B),
    Fault("a grey ring on the circle", "window/web/shell.html",
          "border: calc(var(--indicator) / 12) solid #000;", "border: calc(var(--indicator) / 12) solid #999;",
          EVERY_ENGINE, builds=B),
    Fault("a checked circle with a pale mark", "window/web/shell.html",
          "radial-gradient(circle closest-side, #000 48%, #fff 56%)",
          "radial-gradient(circle closest-side, #bbb 48%, #fff 56%)", EVERY_ENGINE, builds=B),
    Fault("the circle draws a focus ring of its own", "window/web/shell.html",
          "  input[type=radio]:focus-visible { outline: none; }\n", "", EVERY_ENGINE, builds=B),
    Fault("captions at their full spacing, cut off in WebKit", "window/web/shell.html",
          " overflow: hidden; letter-spacing: -0.01em; }", " overflow: hidden; }", "^web_page_webkit$", builds=B),
]
