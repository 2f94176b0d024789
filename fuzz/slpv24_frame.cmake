# The link protocol's decoder is compiled into the target itself so that the fuzzer sees its
# branches (the slpv24_core library is built without coverage instrumentation).
target_sources(fuzz_slpv24_frame PRIVATE
    ${CMAKE_SOURCE_DIR}/slpv24/CSlp_Frame.cpp
    ${CMAKE_SOURCE_DIR}/slpv24/CSlp_Link.cpp
    ${CMAKE_SOURCE_DIR}/slpv24/CSlp_Transport.cpp)
find_package(Threads REQUIRED)
target_link_libraries(fuzz_slpv24_frame PRIVATE Threads::Threads)
