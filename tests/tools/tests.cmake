# The tool tests run the built r740tool beside the default bundle.
target_compile_definitions(${_target} PRIVATE R740_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
if(TARGET r740tool)
    add_dependencies(${_target} r740tool)
endif()
