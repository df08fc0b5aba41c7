# The web build's toolchain: emscripten's own CMake platform, found from the
# emcc on the PATH (Debian's lives in /usr/share/emscripten, an SDK wherever
# it was put), so that no preset names where it is installed.
find_program(KESTROVA_EMCC emcc REQUIRED)
get_filename_component(emscripten_root "${KESTROVA_EMCC}" REALPATH)
get_filename_component(emscripten_root "${emscripten_root}" DIRECTORY)
include("${emscripten_root}/cmake/Modules/Platform/Emscripten.cmake")
