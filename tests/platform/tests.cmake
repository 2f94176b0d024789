# The bundle tests load the bundles built from resources/.
if(TARGET r740_resources)
    add_dependencies(${_target} r740_resources)
endif()
