# How every target of the project is compiled, as one target that each links:
# the warnings, warnings as errors where asked, the sanitizers, and on Linux
# the release hardening.
add_library(kestrova_build_flags INTERFACE)
target_compile_options(kestrova_build_flags INTERFACE -Wall -Wextra -Wpedantic $<$<BOOL:${KESTROVA_WERROR}>:-Werror>)
if(KESTROVA_SANITIZE)
  target_compile_options(kestrova_build_flags INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(kestrova_build_flags INTERFACE -fsanitize=address,undefined)
endif()
# The Windows program and the web page are built for size: one small file
# each, unused code and, on Windows, symbols dropped and the C++ runtime
# linked in.
if(WIN32 OR EMSCRIPTEN)
  target_compile_options(kestrova_build_flags INTERFACE
    "$<$<CONFIG:MinSizeRel>:-Oz;-ffunction-sections;-fdata-sections;-flto>")
  target_link_options(kestrova_build_flags INTERFACE "$<$<CONFIG:MinSizeRel>:-Oz;-flto>")
endif()
if(WIN32)
  target_link_options(kestrova_build_flags INTERFACE -static "$<$<CONFIG:MinSizeRel>:-s;LINKER:--gc-sections>")
endif()
include(${CMAKE_CURRENT_LIST_DIR}/hardening.cmake)
