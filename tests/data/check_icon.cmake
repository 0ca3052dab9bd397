# The icon generator must remake the committed files byte for byte.
file(REMOVE_RECURSE ${OUTPUT})
file(MAKE_DIRECTORY ${OUTPUT})
execute_process(COMMAND ${GENERATOR} ${OUTPUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "icon generator failed: ${result}")
endif()
foreach(file kugelfix.ico icons/32/kugelfix.png icons/48/kugelfix.png icons/64/kugelfix.png)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${SOURCE}/${file} ${OUTPUT}/${file}
                    RESULT_VARIABLE differs)
    if(differs)
        message(FATAL_ERROR "${file} differs from what the generator makes")
    endif()
endforeach()
