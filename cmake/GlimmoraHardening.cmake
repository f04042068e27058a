# The hardening Debian builds its packages with (`dpkg-buildflags` with
# DEB_BUILD_MAINT_OPTIONS=hardening=+all), for every build of the program, so
# `make run` runs what `make package` ships: position-independent program,
# stack protector, fortified libc calls, read-only relocations bound at start.
# Not in the display-free tree alone: it is the sanitizer and fuzzing tree.

option(GLIMMORA_HARDENING "Build with the distribution's hardening flags" ON)
if(NOT GLIMMORA_HARDENING OR GLIMMORA_LOGIC_ONLY)
    return()
endif()

# Programs linked as PIE. Their code stays -fPIC, as Qt's targets ask: Qt built
# with reduce-relocations refuses -fPIE (function addresses would differ
# between the program and Qt's libraries).
add_link_options("$<$<STREQUAL:$<TARGET_PROPERTY:TYPE>,EXECUTABLE>:-pie>")
add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
# glibc checks the fortified calls only when optimising, and warns otherwise.
add_compile_definitions($<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=2>)
add_link_options(LINKER:-z,relro LINKER:-z,now)
