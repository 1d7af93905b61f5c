# The Debian package: quorvane-render in /usr/bin with its manual page,
# Quorvane.so where Debian's VST 2 plug-ins live, and in
# /usr/share/doc/quorvane what Debian asks for beside the README (copyright,
# changelog). Its dependencies are worked out from the binaries by
# dpkg-shlibdeps (debian_depends.cmake).
find_program(HELP2MAN help2man REQUIRED)
find_program(GZIP gzip REQUIRED)
find_program(DPKG dpkg REQUIRED)
execute_process(COMMAND ${DPKG} --print-architecture
    OUTPUT_VARIABLE architecture OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)

set(QUORVANE_MAINTAINER "the Quorvane developers <quorvane@example.org>")

# The manual page is the program's own --help, so the two never disagree.
add_custom_command(OUTPUT quorvane-render.1.gz
    COMMAND ${HELP2MAN} --no-info --section 1
        --name "render MIDI performances through VST 2 plug-ins into WAV files"
        --output quorvane-render.1 $<TARGET_FILE:quorvane-render>
    COMMAND ${GZIP} -9nf quorvane-render.1
    DEPENDS quorvane-render
    COMMENT "Writing the manual page of quorvane-render from its --help"
    VERBATIM)
add_custom_target(quorvane_render_manual ALL DEPENDS quorvane-render.1.gz)

# The package's version is the project's; the changelog's newest entry has to
# be the release being made.
set(changelog ${CMAKE_CURRENT_SOURCE_DIR}/changelog)
file(STRINGS ${changelog} newest_entry LIMIT_COUNT 1)
string(REGEX MATCH "^quorvane \\(([^)]*)\\)" _ "${newest_entry}")
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "packaging/changelog's newest entry is for '${CMAKE_MATCH_1}', but the project's version is "
                        "${PROJECT_VERSION}: add an entry for ${PROJECT_VERSION} at its top")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog})
execute_process(COMMAND ${GZIP} -9nc ${changelog}
    OUTPUT_FILE ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz COMMAND_ERROR_IS_FATAL ANY)

# Debian's machine-readable copyright file, its licence text taken from LICENSE:
# the copyright line goes to its own field, the rest is indented, blank lines
# written as " .".
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)\n\n(.*)" _ "${licence}")
set(QUORVANE_COPYRIGHT "${CMAKE_MATCH_1}")
string(STRIP "${CMAKE_MATCH_2}" licence_text)
string(REPLACE "\n\n" "\n.\n" licence_text "${licence_text}")
string(REPLACE "\n" "\n " QUORVANE_LICENCE_TEXT " ${licence_text}")
configure_file(copyright.in copyright @ONLY)

install(TARGETS quorvane-render RUNTIME DESTINATION bin)
# A plug-in is loaded, never run: not executable, as Debian's own are.
install(TARGETS Quorvane LIBRARY DESTINATION lib/vst PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/quorvane-render.1.gz DESTINATION share/man/man1)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${CMAKE_CURRENT_BINARY_DIR}/copyright
              ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
        DESTINATION share/doc/quorvane)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_NAME quorvane)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${architecture})
set(CPACK_DEBIAN_FILE_NAME quorvane_${PROJECT_VERSION}_${architecture}.deb)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUORVANE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/debian_depends.cmake)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Quorvane is a small instrument for Linux VST 2 and LV2 hosts. A sine
tone, a square LFO and a feedback delay are each steered by an X and a Y
axis that never jumps: every axis follows its target like a damped
spring. MIDI notes set the tone's pitch and level; 90 automatable
parameters shape the springs, the modulation and the delay; its editor
lets you throw the axes around with the mouse.

The package installs the plug-in for VST 2 hosts as
/usr/lib/vst/Quorvane.so, for LV2 hosts as the bundle
/usr/lib/lv2/Quorvane.lv2 with its editor, and quorvane-render, a
command-line host that plays a MIDI file (or a built-in demo) through
any VST 2 or LV2 plug-in into a WAV file.")

set(QUORVANE_PACKAGE_FILE ${CMAKE_BINARY_DIR}/${CPACK_DEBIAN_FILE_NAME})
