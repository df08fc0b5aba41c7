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
  -Wformat -Werror=format-security
  # No __DATE__ or __TIME__: the same source makes the same binary.
  -Wdate-time)
# A level of _FORTIFY_SOURCE the builder gives is kept: a distribution's
# CXXFLAGS (CMake reads no CPPFLAGS; Debian's tools fold them into CXXFLAGS)
# may ask for 3. Otherwise level 2, or the compiler's own default where that
# is higher.
if("${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_RELEASE}" MATCHES "-D *_FORTIFY_SOURCE=([0-9]+)")
  set(fortify_level ${CMAKE_MATCH_1})
else()
  include(CheckCXXSourceCompiles)
  set(CMAKE_REQUIRED_FLAGS -O2)
  check_cxx_source_compiles([=[
    #include <cstdio>
    #if !defined(_FORTIFY_SOURCE) || _FORTIFY_SOURCE < 3
    #error below 3
    #endif
    int main() {}]=] compiler_fortifies_at_3)
  unset(CMAKE_REQUIRED_FLAGS)
  if(compiler_fortifies_at_3)
    set(fortify_level 3)
  else()
    set(fortify_level 2)
  endif()
  # A lower definition the compiler makes by default gives way to ours.
  list(APPEND hardening_compile_flags -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=${fortify_level})
endif()
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
