# The widget tests show the program's own bundle (texts and pictures), language files and key maps
# as the build leaves them beside the program.
foreach(_dep r740_resources r740_keymaps)
    if(TARGET ${_dep})
        add_dependencies(${_target} ${_dep})
    endif()
endforeach()
