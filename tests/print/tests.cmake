# The print tests paint with fonts (a QGuiApplication on the offscreen platform) and keep one PDF
# of each printed output below <build>/test-output/print for a person to look at.
target_link_libraries(${_target} PRIVATE r740_print)
# They print with the program's own default texts, from the bundle beside the programs.
if(TARGET r740_resources)
    add_dependencies(${_target} r740_resources)
endif()
