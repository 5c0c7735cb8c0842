# Run by CPack before it makes the Debian packages: strips the debug sections from the static
# libraries it is packing (a RelWithDebInfo build's are three times the size without them).
# The studio's web library is WebAssembly, which the host's strip does not read.
file(GLOB_RECURSE libraries ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*.a)
list(FILTER libraries EXCLUDE REGEX "/libtavro-web\\.a$")
foreach(library ${libraries})
  execute_process(COMMAND ${CPACK_TAVRO_STRIP} --strip-debug ${library} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
