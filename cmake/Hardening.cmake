# Debian's hardening flags (what dpkg-buildflags gives a package): stack protector, format
# checks, _FORTIFY_SOURCE in optimised builds, position-independent executables, and a
# read-only relocation table bound at start-up. The sanitizer and fuzzing builds go without.
option(QUORVEL_HARDENING "Build with Debian's hardening flags" ON)
if(NOT QUORVEL_HARDENING OR QUORVEL_SANITIZE OR QUORVEL_FUZZ)
  return()
endif()
include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
add_compile_options(-fstack-protector-strong -fstack-clash-protection
                    -Wformat -Werror=format-security)
# Fortify needs the optimiser; without it glibc warns, which -Werror would turn into a failure.
add_compile_options("$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
add_link_options(-Wl,-z,relro -Wl,-z,now)
