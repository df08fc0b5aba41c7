# Release builds on Linux take Debian's hardening flags (dpkg-buildflags
# with hardening=+all, plus the stack-clash and control-flow protection that
# newer Debian adds), here rather than from the environment, so that every
# build of the release preset - the package and the bench alike - is made
# the same way. Debug builds are left alone: _FORTIFY_SOURCE needs an
# optimised build, and the sanitizers bring checks of their own.
if(WIN32 OR EMSCRIPTEN)
  return()
endif()

include(CheckCXXCompilerFlag)
include(CheckPIESupported)

set(CMAKE_POSITION_INDEPENDENT_CODE ON)
check_pie_supported(LANGUAGES CXX)

set(hardening_compile_flags
  -fstack-protector-strong
  # Another definition (some compilers set one by default) gives way to ours.
  -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2
  -Wformat -Werror=format-security
  # No __DATE__ or __TIME__: the same source makes the same binary.
  -Wdate-time)
# Not every target has them (-fcf-protection is x86 only).
foreach(flag -fstack-clash-protection -fcf-protection)
  string(MAKE_C_IDENTIFIER "have${flag}" have_flag)
  check_cxx_compiler_flag(${flag} ${have_flag})
  if(${have_flag})
    list(APPEND hardening_compile_flags ${flag})
  endif()
endforeach()
# The binary does not name the folder it was built in, so two checkouts at
# different paths make the same program.
list(APPEND hardening_compile_flags -ffile-prefix-map=${PROJECT_SOURCE_DIR}=.)

target_compile_options(kestrova_build_flags INTERFACE "$<$<CONFIG:Release>:${hardening_compile_flags}>")
target_link_options(kestrova_build_flags INTERFACE "$<$<CONFIG:Release>:LINKER:-z,relro;LINKER:-z,now>")
