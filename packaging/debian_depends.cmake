# Run by CPack once the package's files are staged (CPACK_PRE_BUILD_SCRIPTS):
# the package's Depends, worked out by dpkg-shlibdeps from its ELF files.
# CPack's own shlibdeps option does the same, but it also adds postinst and
# postrm scripts that run ldconfig for any library under /usr/lib, which a
# plug-in in /usr/lib/vst, loaded by path, does not need.
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*")
set(elf_files)
foreach(staged_file IN LISTS staged)
    file(READ "${staged_file}" magic LIMIT 4 HEX)
    if(magic STREQUAL "7f454c46")
        list(APPEND elf_files "-e${staged_file}")
    endif()
endforeach()

# dpkg-shlibdeps wants a debian/control where it runs (an empty one will do)
# and a DEBIAN folder above the files it reads, as in a package being built.
set(work "${CPACK_TOPLEVEL_DIRECTORY}/shlibdeps")
file(MAKE_DIRECTORY "${work}/debian" "${CPACK_TEMPORARY_DIRECTORY}/DEBIAN")
file(TOUCH "${work}/debian/control")
execute_process(COMMAND dpkg-shlibdeps -O ${elf_files}
    WORKING_DIRECTORY "${work}" OUTPUT_VARIABLE substitutions COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE "${work}" "${CPACK_TEMPORARY_DIRECTORY}/DEBIAN")
if(NOT substitutions MATCHES "shlibs:Depends=([^\n]+)")
    message(FATAL_ERROR "dpkg-shlibdeps found no dependencies in ${elf_files}")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CMAKE_MATCH_1}")
