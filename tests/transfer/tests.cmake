# The fake link library in its variants, loaded by the adapter tests at run time.
set(_fake_dir ${CMAKE_BINARY_DIR}/tests/fakes)
foreach(_variant "" _NoKNT _NoWrite)
    set(_fake FakeSlpV24${_variant})
    add_library(${_fake} SHARED ${CMAKE_CURRENT_SOURCE_DIR}/testsupport/fake_slpv24/CTest_FakeSlpV24.cpp)
    target_include_directories(${_fake} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${_fake} PRIVATE r740_warnings)
    set_target_properties(${_fake} PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${_fake_dir} CXX_VISIBILITY_PRESET hidden)
    add_dependencies(${_target} ${_fake})
endforeach()
target_compile_definitions(FakeSlpV24_NoKNT PRIVATE FAKE_SLPV24_NO_KNT)
target_compile_definitions(FakeSlpV24_NoWrite PRIVATE FAKE_SLPV24_NO_WRITE)
target_compile_definitions(${_target} PRIVATE R740_FAKE_SLPV24_DIR="${_fake_dir}")

# The adapter over the real link library, with the protocol library playing the telephone.
add_dependencies(${_target} SlpV24)
target_link_libraries(${_target} PRIVATE slpv24_core util)
target_compile_definitions(${_target} PRIVATE R740_SLPV24_LIBRARY="$<TARGET_FILE:SlpV24>")

# The state machine's tests answer with the emulator's telephone.
target_link_libraries(${_target} PRIVATE r740_sim)
