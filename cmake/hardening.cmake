# The hardening Debian builds its packages with (dpkg-buildflags with
# hardening=+all): fortified C library calls, a stack protector, stack clash
# and control-flow protection, and a read-only relocation table bound at
# start-up (relro, bindnow). Position-independent executables are the
# compiler's default. Sanitizer builds go without the fortified calls, which
# the sanitizers replace; unoptimised builds too, where they do not work.
include(CheckCXXCompilerFlag)
add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
foreach(flag -fstack-clash-protection -fcf-protection)
  string(MAKE_C_IDENTIFIER "ZENKO_HAS${flag}" supported)
  check_cxx_compiler_flag(${flag} ${supported})
  if(${supported})
    add_compile_options(${flag})
  endif()
endforeach()
if(NOT ZENKO_SANITIZE)
  add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
endif()
add_link_options(LINKER:-z,relro LINKER:-z,now)
