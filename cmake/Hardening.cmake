# Debian's hardening flags (what dpkg-buildflags gives a package): stack protector, format
# checks, _FORTIFY_SOURCE in optimised builds, position-independent executables, and a
# read-only relocation table bound at start-up. The sanitizer and fuzzing builds go without.
# MinGW's compiler and linker know neither -fstack-clash-protection nor -z: Windows has its own.
option(QUORVEL_HARDENING "Build with Debian's hardening flags" ON)
if(NOT QUORVEL_HARDENING OR QUORVEL_SANITIZE OR QUORVEL_FUZZ)
  return()
endif()
if(WIN32)
  # Windows' own: the stack protector (libssp, linked statically), format checks, fortified
  # string functions where the optimiser runs, and address space randomisation (with high
  # entropy) and a non-executable data area marked in the executable.
  add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
  add_compile_options("$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-D_FORTIFY_SOURCE=2>")
  add_link_options(-fstack-protector-strong -Wl,--dynamicbase -Wl,--nxcompat -Wl,--high-entropy-va)
  link_libraries(ssp)
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
