# The zip for Windows: Quorvane.dll, the licence and a short text on where
# to put the DLL, in a folder named like the zip. Each Windows tree makes its
# own, named after the DLL's word size: Quorvane-<version>-win32.zip or
# -win64.zip. The texts get Windows line ends, for Windows' own editors.
math(EXPR QUORVANE_WINDOWS_BITS "8 * ${CMAKE_SIZEOF_VOID_P}")
if(QUORVANE_WINDOWS_BITS EQUAL 32)
    set(QUORVANE_WINDOWS_HOSTS "Quorvane.dll is a 32-bit VST 2 plug-in: it needs a 32-bit host, or a
64-bit host with a bridge for 32-bit plug-ins.")
    set(QUORVANE_WINDOWS_FOLDERS [[
  C:\Program Files (x86)\VSTPlugins
  C:\Program Files (x86)\Steinberg\VSTPlugins
(under C:\Program Files on 32-bit Windows).]])
else()
    set(QUORVANE_WINDOWS_HOSTS "Quorvane.dll is a 64-bit VST 2 plug-in: it needs a 64-bit host on
64-bit Windows.")
    set(QUORVANE_WINDOWS_FOLDERS [[
  C:\Program Files\VSTPlugins
  C:\Program Files\Steinberg\VSTPlugins
  C:\Program Files\Common Files\VST2]])
endif()
configure_file(windows-readme.txt.in README.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE LICENSE.txt @ONLY NEWLINE_STYLE CRLF)

install(TARGETS Quorvane LIBRARY DESTINATION .)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/README.txt ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-win${QUORVANE_WINDOWS_BITS})
set(QUORVANE_PACKAGE_FILE ${CMAKE_BINARY_DIR}/${CPACK_PACKAGE_FILE_NAME}.zip)
