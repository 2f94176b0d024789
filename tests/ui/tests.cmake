# The widget tests show the program's own bundle (texts and pictures), language files and key maps
# as the build leaves them beside the program.
foreach(_dep r740_resources r740_keymaps)
    if(TARGET ${_dep})
        add_dependencies(${_target} ${_dep})
    endif()
endforeach()

# The transfer dialog's test reads from and writes to the emulator over the link library.
foreach(_dep r740sim SlpV24)
    if(TARGET ${_dep})
        add_dependencies(${_target} ${_dep})
    endif()
endforeach()
if(TARGET SlpV24)
    target_compile_definitions(${_target} PRIVATE R740_SLPV24_LIBRARY="$<TARGET_FILE:SlpV24>")
endif()
