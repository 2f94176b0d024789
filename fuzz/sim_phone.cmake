# The emulator's telephone lives in the emulator's library.
target_link_libraries(fuzz_sim_phone PRIVATE r740_sim)
