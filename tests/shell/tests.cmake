# The transfer dialog's tests answer with the emulator's telephone below the state machine.
target_link_libraries(${_target} PRIVATE r740_sim)
