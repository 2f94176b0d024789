# The installed tree holds what the programs need, and an installed program started through its
# link in bin/ from another directory finds its files. Run by ctest after the build:
#   cmake -DBUILD_DIR=<build> -DPREFIX=<empty directory> -P CheckInstallTree.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE _rc OUTPUT_QUIET ERROR_VARIABLE _err)
if(NOT _rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${_err}")
endif()

set(_app ${PREFIX}/lib/r740cf)
set(_missing "")
foreach(_file
        bin/R740Cf bin/r740tool bin/r740sim
        lib/r740cf/R740Cf lib/r740cf/r740tool lib/r740cf/r740sim lib/r740cf/libSlpV24.so lib/r740cf/Res_Pb.rcc
        lib/r740cf/resources/TALVO/Res_Pb.rcc lib/r740cf/resources/TALVO_pb/Res_Pb.rcc
        lib/r740cf/lang/R740Cf_UK.txt lib/r740cf/lang/R740Cf_GER.txt
        lib/r740cf/Help/R740Cf_UK/index.html lib/r740cf/Help/R740Cf_UK/welcome.html
        lib/r740cf/Help/R740Cf_GER/index.html lib/r740cf/Help/R740Cf_GER/welcome.html
        lib/r740cf/Map/RV930_UK.map lib/r740cf/Map/RV930_GER.map
        share/applications/r740cf.desktop share/icons/hicolor/scalable/apps/r740cf.svg
        share/mime/packages/r740cf.xml)
    if(NOT EXISTS ${PREFIX}/${_file})
        list(APPEND _missing ${_file})
    endif()
endforeach()
if(_missing)
    message(FATAL_ERROR "missing from the installed tree: ${_missing}")
endif()
foreach(_program R740Cf r740tool r740sim)
    if(NOT IS_SYMLINK ${PREFIX}/bin/${_program})
        message(FATAL_ERROR "bin/${_program} is no link into lib/r740cf")
    endif()
endforeach()

# Started from elsewhere, through the link: the brand bundles lie beside the real executable.
execute_process(COMMAND ${PREFIX}/bin/r740tool --brand TALVO_pb resource-info
                WORKING_DIRECTORY ${PREFIX}/share RESULT_VARIABLE _rc OUTPUT_VARIABLE _out ERROR_VARIABLE _err)
if(NOT _rc EQUAL 0 OR NOT _out MATCHES "lib/r740cf/resources/TALVO_pb/Res_Pb.rcc")
    message(FATAL_ERROR "the installed tool does not find its bundle (${_rc}): ${_out}${_err}")
endif()

# The desktop entry opens files of the type the package declares.
file(READ ${PREFIX}/share/applications/r740cf.desktop _desktop)
file(READ ${PREFIX}/share/mime/packages/r740cf.xml _mime)
string(REGEX MATCH "MimeType=([^;\n]+)" _ "${_desktop}")
set(_type "${CMAKE_MATCH_1}")
if(_type STREQUAL "" OR NOT _mime MATCHES "type=\"${_type}\"" OR NOT _desktop MATCHES "Exec=R740Cf %f")
    message(FATAL_ERROR "desktop entry and file type do not match")
endif()
file(REMOVE_RECURSE ${PREFIX})
