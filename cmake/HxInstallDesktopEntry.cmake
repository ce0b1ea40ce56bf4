# Runs at install time (cmake --install, make install, cpack): writes the desktop's menu
# entry with the full path of the installed program. Set before it runs:
#   HX_DESKTOP_TEMPLATE  the entry with @HXMAIN@ and @ICON@
#   HX_DESKTOP_NAME      file name of the entry and name of the icon
#   HX_PROGRAM_SUBDIR    folder of the program under the install prefix
set(_program "${CMAKE_INSTALL_PREFIX}/${HX_PROGRAM_SUBDIR}/hxmain")
if(_program MATCHES "[ \"'\\\\$`]")
    # The Exec key quotes such paths with double quotes and escapes ", `, $ and \.
    string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" _program "${_program}")
    set(_program "\"${_program}\"")
endif()
file(READ "${HX_DESKTOP_TEMPLATE}" _entry)
string(REPLACE "@HXMAIN@" "${_program}" _entry "${_entry}")
string(REPLACE "@ICON@" "${HX_DESKTOP_NAME}" _entry "${_entry}")
set(_file "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/applications/${HX_DESKTOP_NAME}.desktop")
message(STATUS "Installing: ${_file}")
file(WRITE "${_file}" "${_entry}")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${_file}")
