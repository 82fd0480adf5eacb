# Debian's hardening, as dpkg-buildflags gives it to every package it builds: the stack protector,
# _FORTIFY_SOURCE, format-string checks and read-only relocations bound at start-up (the compiler
# makes the program position-independent already). The build type keeps the say on optimisation
# and debug information. Only optimised builds take it, as _FORTIFY_SOURCE needs the optimiser;
# the sanitizer build has checks of its own.
if(NOT STACKLUME_SANITIZE)
  find_program(DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env "DEB_BUILD_MAINT_OPTIONS=hardening=+all reproducible=-all"
              "DEB_${kind}_MAINT_STRIP=-g -O2" ${DPKG_BUILDFLAGS} --get ${kind}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(hardening_${kind} UNIX_COMMAND "${flags}")
  endforeach()
  set(optimised $<CONFIG:Release,RelWithDebInfo,MinSizeRel>)
  add_compile_options("$<${optimised}:${hardening_CPPFLAGS};${hardening_CXXFLAGS}>")
  add_link_options("$<${optimised}:${hardening_LDFLAGS}>")
endif()
