# The transfer runs against the built emulator through the built link library.
foreach(_program r740sim SlpV24)
    if(TARGET ${_program})
        add_dependencies(bench_transfer_wire ${_program})
    endif()
endforeach()
target_compile_definitions(bench_transfer_wire PRIVATE R740_BINARY_DIR="${CMAKE_BINARY_DIR}"
                                                       R740_SLPV24_LIBRARY="$<TARGET_FILE:SlpV24>")
