# The end-to-end tests run the built emulator and tool (which loads the link library) as processes.
foreach(_program r740sim r740tool SlpV24)
    if(TARGET ${_program})
        add_dependencies(${_target} ${_program})
    endif()
endforeach()
