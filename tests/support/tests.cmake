# The shipped language files are checked where they stand in the source tree.
target_compile_definitions(${_target} PRIVATE R740_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
