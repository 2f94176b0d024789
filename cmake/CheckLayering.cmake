# Build-time checks of the layering (ARCHITECTURE.md), run on every build:
#  1. no file outside ui/ includes a QtWidgets or QtPrintSupport header;
#  2. every folder of the layers includes only itself and folders below it, in the order
#     platform, support, data, phonebook, transfer, shell, print, ui; the link library slpv24/
#     stands alone: it includes nothing of ours, and of it only its C interface "slpv24/SlpV24.h"
#     may be included, from transfer/ upwards; the programs on top (sim, tools, tests, fuzz, bench)
#     may include any folder, and no folder of the layers includes them;
#  3. no two files include each other, and no two classes call each other: a class is a header
#     and its source, and A's source including B's header while B's source includes A's header is a
#     cycle as much as two headers including each other. A header built on another's (A.h including
#     B.h) may still be used by the other's source (B.cpp including A.h): an interface and the code
#     that implements it.
# Usage: cmake -DSOURCE_DIR=<root> -P CheckLayering.cmake
cmake_minimum_required(VERSION 3.25)

set(_layers platform support data phonebook transfer shell print ui)
set(_programs sim tools tests fuzz bench)
set(_folders ${_layers} slpv24 ${_programs})
set(_link_interface "slpv24/SlpV24.h")
# Folders that never show a widget (the tests of ui/ and the widget programs may).
set(_widget_free platform support data phonebook transfer shell print slpv24 sim tools)
list(FIND _layers transfer _link_user_min)

set(_bad "")
macro(_fail _text)
    list(APPEND _bad "${_text}")
endmacro()

# ---- 1. Widget headers ------------------------------------------------------------------------
set(_widget_regex "^[ \t]*#[ \t]*include[ \t]*[<\"](QtWidgets|QtPrintSupport|QWidget|QDialog|QMessageBox|QApplication|QMainWindow|QFileDialog|QPrint|QAbstractButton|QPushButton|QLabel|QLineEdit|QComboBox|QCheckBox|QMenu|QAction)")

# ---- Every file and what it includes ----------------------------------------------------------
set(_all_files "")
foreach(_folder IN LISTS _folders)
    file(GLOB_RECURSE _files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${_folder}/*.h ${SOURCE_DIR}/${_folder}/*.cpp)
    list(APPEND _all_files ${_files})
endforeach()

set(_units "")
foreach(_file IN LISTS _all_files)
    string(REGEX MATCH "^[^/]+" _folder "${_file}")
    get_filename_component(_dir "${_file}" DIRECTORY)
    string(REGEX REPLACE "\\.(h|cpp)$" "" _unit "${_file}")
    string(MAKE_C_IDENTIFIER "${_unit}" _unit_id)
    list(APPEND _units "${_unit}")

    list(FIND _widget_free ${_folder} _no_widgets)
    if(NOT _no_widgets EQUAL -1)
        file(STRINGS ${SOURCE_DIR}/${_file} _hits REGEX "${_widget_regex}")
        if(_hits)
            _fail("${_file}: a QtWidgets header outside ui/: ${_hits}")
        endif()
    endif()

    list(FIND _layers ${_folder} _level)
    file(STRINGS ${SOURCE_DIR}/${_file} _includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(_line IN LISTS _includes)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*$" "\\1" _inc "${_line}")
        # Where the include leads: beside the file, from the root, or below tests/.
        if(EXISTS ${SOURCE_DIR}/${_dir}/${_inc})
            set(_target "${_dir}/${_inc}")
        elseif(EXISTS ${SOURCE_DIR}/${_inc})
            set(_target "${_inc}")
        elseif(EXISTS ${SOURCE_DIR}/tests/${_inc})
            set(_target "tests/${_inc}")
        else()
            continue()
        endif()
        string(REGEX MATCH "^[^/]+" _target_folder "${_target}")
        string(REGEX REPLACE "\\.(h|cpp)$" "" _target_unit "${_target}")
        if(NOT _target_unit STREQUAL _unit)
            # Which file of the class does it: h (its header) or cpp (its source).
            string(REGEX MATCH "[a-z]+$" _kind "${_file}")
            list(APPEND _uses_${_kind}_${_unit_id} "${_target_unit}")
            list(APPEND _uses_${_unit_id} "${_target_unit}")
        endif()

        # ---- 2. Layers --------------------------------------------------------------------------
        if(_target_folder STREQUAL _folder)
            continue()
        endif()
        list(FIND _programs ${_folder} _is_program)
        if(_folder STREQUAL "slpv24")
            _fail("${_file}: the link library includes ${_target}")
        elseif(_target_folder STREQUAL "slpv24")
            if(NOT _target STREQUAL _link_interface)
                if(_is_program EQUAL -1)
                    _fail("${_file}: ${_target} is inside the link library, whose interface is ${_link_interface}")
                endif()
            elseif(_is_program EQUAL -1 AND _level LESS _link_user_min)
                _fail("${_file}: ${_folder}/ below transfer/ includes the link library's ${_link_interface}")
            endif()
        elseif(_is_program EQUAL -1)
            list(FIND _layers ${_target_folder} _target_level)
            if(_target_level EQUAL -1)
                _fail("${_file}: ${_folder}/ includes the program folder ${_target}")
            elseif(_target_level GREATER _level)
                _fail("${_file}: ${_folder}/ includes ${_target} of the higher layer ${_target_folder}/")
            endif()
        endif()
    endforeach()
endforeach()

# ---- 3. Files and classes that include each other --------------------------------------------
list(REMOVE_DUPLICATES _units)
foreach(_unit IN LISTS _units)
    string(MAKE_C_IDENTIFIER "${_unit}" _unit_id)
    foreach(_other IN LISTS _uses_${_unit_id})
        string(MAKE_C_IDENTIFIER "${_other}" _other_id)
        if(NOT _unit STRLESS _other)
            continue()
        endif()
        foreach(_kind h cpp)
            set(_forward "${_uses_${_kind}_${_unit_id}}")
            set(_back "${_uses_${_kind}_${_other_id}}")
            list(FIND _forward "${_other}" _f)
            list(FIND _back "${_unit}" _b)
            if(NOT _f EQUAL -1 AND NOT _b EQUAL -1)
                _fail("${_unit}.${_kind} and ${_other}.${_kind} include each other's header")
            endif()
        endforeach()
    endforeach()
endforeach()

if(_bad)
    list(JOIN _bad "\n" _msg)
    message(FATAL_ERROR "Layering violated:\n${_msg}")
endif()
