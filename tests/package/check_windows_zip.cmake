# Unzips a Windows tree's zip into SCRATCH and checks it holds, in one folder
# named like the zip, the DLL the tree built and tested (byte for byte), the
# licence (LICENCE, with Windows line ends) and the text on where to put the
# DLL, for the DLL's word size.
#   cmake -DZIP=... -DLIBRARY=.../Quorvane.dll -DLICENCE=.../LICENSE -DSCRATCH=dir -P check_windows_zip.cmake
file(REMOVE_RECURSE ${SCRATCH})
file(ARCHIVE_EXTRACT INPUT ${ZIP} DESTINATION ${SCRATCH})

get_filename_component(folder ${ZIP} NAME_WLE)
file(GLOB_RECURSE unpacked LIST_DIRECTORIES false RELATIVE ${SCRATCH} ${SCRATCH}/*)
list(SORT unpacked)
set(expected ${folder}/LICENSE.txt ${folder}/Quorvane.dll ${folder}/README.txt)
if(NOT unpacked STREQUAL expected)
    message(FATAL_ERROR "${ZIP} holds\n  ${unpacked}\nnot\n  ${expected}")
endif()

file(SHA256 ${SCRATCH}/${folder}/Quorvane.dll packaged)
file(SHA256 ${LIBRARY} built)
if(NOT packaged STREQUAL built)
    message(FATAL_ERROR "the zip's Quorvane.dll is not ${LIBRARY}")
endif()

# file(READ) drops carriage returns, so the expected bytes go to a file.
file(READ ${LICENCE} licence)
string(REPLACE "\n" "\r\n" licence_crlf "${licence}")
file(WRITE ${SCRATCH}/LICENSE-crlf.txt "${licence_crlf}")
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${SCRATCH}/LICENSE-crlf.txt ${SCRATCH}/${folder}/LICENSE.txt
    RESULT_VARIABLE differs)
if(differs)
    message(FATAL_ERROR "the zip's LICENSE.txt is not ${LICENCE} with Windows line ends")
endif()

# The word size the zip's name promises is the DLL's: PE32 or PE32+.
if(NOT folder MATCHES "-win(32|64)$")
    message(FATAL_ERROR "${ZIP} is named for no Windows word size")
endif()
set(bits ${CMAKE_MATCH_1})
execute_process(COMMAND file -b ${LIBRARY} OUTPUT_VARIABLE kind COMMAND_ERROR_IS_FATAL ANY)
if((bits STREQUAL "32" AND NOT kind MATCHES "^PE32 .*Intel 80386") OR
   (bits STREQUAL "64" AND NOT kind MATCHES "^PE32\\+ .*x86-64"))
    message(FATAL_ERROR "${folder}.zip holds a DLL for another word size: ${kind}")
endif()
file(READ ${SCRATCH}/${folder}/README.txt readme)
if(NOT readme MATCHES "Quorvane.dll is a ${bits}-bit VST 2 plug-in")
    message(FATAL_ERROR "the zip's README.txt does not speak of a ${bits}-bit DLL:\n${readme}")
endif()
message(STATUS "${ZIP} holds ${unpacked}")
