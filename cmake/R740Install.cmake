# cmake --install and the Debian package (cpack -G DEB in the build directory).
#
# The programs find their files beside the executable, as in the build directory: the resource
# bundles, the link library, lang/, Help/ and Map/. So everything of the program goes into one
# directory of its own, <prefix>/lib/r740cf, and <prefix>/bin holds links to the three programs
# (an executable started through a link still sees its own directory). The desktop entry, the icon
# and the file type of configuration files go to <prefix>/share as the desktop expects them.

include(GNUInstallDirs)

set(R740_INSTALL_APPDIR "lib/r740cf" CACHE STRING "Directory of the programs and their files, below the prefix")
set(R740_PROGRAMS R740Cf r740tool r740sim)

foreach(_program IN LISTS R740_PROGRAMS)
    if(TARGET ${_program})
        install(TARGETS ${_program} RUNTIME DESTINATION ${R740_INSTALL_APPDIR})
    endif()
endforeach()
if(TARGET SlpV24)
    install(TARGETS SlpV24 LIBRARY DESTINATION ${R740_INSTALL_APPDIR} RUNTIME DESTINATION ${R740_INSTALL_APPDIR})
endif()

# Resource bundles: the default one beside the programs, every brand below resources/ (--brand).
install(FILES ${CMAKE_BINARY_DIR}/Res_Pb.rcc DESTINATION ${R740_INSTALL_APPDIR})
get_directory_property(_bundles DIRECTORY ${CMAKE_SOURCE_DIR}/resources DEFINITION R740_BUNDLES)
foreach(_bundle IN LISTS _bundles)
    install(FILES ${CMAKE_BINARY_DIR}/resources/${_bundle}/Res_Pb.rcc
            DESTINATION ${R740_INSTALL_APPDIR}/resources/${_bundle})
endforeach()
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/lang/ DESTINATION ${R740_INSTALL_APPDIR}/lang
        FILES_MATCHING PATTERN "*.txt")
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/help/ DESTINATION ${R740_INSTALL_APPDIR}/Help
        FILES_MATCHING PATTERN "*.html")
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/Map/ DESTINATION ${R740_INSTALL_APPDIR}/Map
        FILES_MATCHING PATTERN "*.map")

# The links in bin/, relative so that the tree can be moved (and packaged) as a whole.
foreach(_program IN LISTS R740_PROGRAMS)
    if(TARGET ${_program})
        install(CODE "
            set(_bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
            file(MAKE_DIRECTORY \"\${_bin}\")
            file(RELATIVE_PATH _target \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\"
                 \"\${CMAKE_INSTALL_PREFIX}/${R740_INSTALL_APPDIR}/${_program}\")
            message(STATUS \"Linking: \${_bin}/${_program} -> \${_target}\")
            file(CREATE_LINK \"\${_target}\" \"\${_bin}/${_program}\" SYMBOLIC)")
    endif()
endforeach()

install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/r740cf.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/r740cf.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/r740cf-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME r740cf.xml)

# The Debian package. dpkg-shlibdeps finds the libraries the programs link; what they load at run
# time it cannot see: Qt's platform plugins (the window), its SVG image plugin (the telephone and
# toolbar pictures) and a font. The desktop's caches learn of the new entry and file type from the
# triggers of desktop-file-utils and shared-mime-info.
set(CPACK_GENERATOR "DEB" CACHE STRING "Package generators")
set(CPACK_PACKAGE_NAME "r740cf")
set(CPACK_PACKAGE_VENDOR "R740Cf")
set(CPACK_PACKAGE_CONTACT "R740Cf maintainers <r740cf@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configurator for ISDN system telephones and their key-extension modules")
set(CPACK_PACKAGE_DESCRIPTION
    "Edits a telephone's whole configuration and phonebook, keeps them as files and exchanges them\nwith the telephone over a serial, USB or PABX link. Includes the command-line tool r740tool and\nthe telephone emulator r740sim.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "comm")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "desktop-file-utils, shared-mime-info, xdg-utils")
include(CPack)
