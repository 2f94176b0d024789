# The end-to-end tests run the built emulator, tool (which loads the link library) and window
# program with its resource bundles as processes.
foreach(_program r740sim r740tool SlpV24 R740Cf r740_resources)
    if(TARGET ${_program})
        add_dependencies(${_target} ${_program})
    endif()
endforeach()
