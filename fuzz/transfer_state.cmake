# The telephone behind the state machine is the emulator's.
target_link_libraries(fuzz_transfer_state PRIVATE r740_sim)
