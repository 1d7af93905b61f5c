# Paints the bitmaps afresh and compares them byte for byte with the
# committed ones: the tool is deterministic and resources/ is what it makes.
file(REMOVE_RECURSE ${OUTPUT})
file(MAKE_DIRECTORY ${OUTPUT})
execute_process(COMMAND ${TOOL} ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "quorvane-artwork failed: ${status}")
endif()
foreach(name panel target_mark target_mask point_mark mark_mask knob_mark_active knob_mark_idle)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT}/${name}.bmp ${RESOURCES}/${name}.bmp
                    RESULT_VARIABLE different)
    if(different)
        message(FATAL_ERROR "${name}.bmp differs from what quorvane-artwork paints; run it into resources/")
    endif()
endforeach()
