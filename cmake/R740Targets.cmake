# Helpers shared by the folder CMakeLists files.

# Sources of a folder, found anew whenever a file is added or removed, so that a new class is one new
# pair of files and nothing else.
function(r740_glob_sources out_var)
    file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    set(${out_var} ${_src} PARENT_SCOPE)
endfunction()

# The core library: platform/, support/, data/ and phonebook/ add their sources to it. QtCore at most.
add_library(r740_core STATIC)
target_include_directories(r740_core PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(r740_core PUBLIC Qt6::Core PRIVATE r740_warnings)
