# Run by cmake --install: writes the desktop menu entry of dist/ with the installed command's
# full path in its Exec key (KES_DESKTOP_SOURCE, KES_BINDIR and KES_DATADIR are set before).
get_filename_component(prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
set(command "${prefix}/${KES_BINDIR}/kestrova")
# A quoted Exec argument: backslash, quote, backquote and dollar sign take a backslash; then,
# as in every string of the entry, each backslash is written twice.
string(REPLACE "\\" "\\\\" command "${command}")
string(REPLACE "\"" "\\\"" command "${command}")
string(REPLACE "`" "\\`" command "${command}")
string(REPLACE "$" "\\$" command "${command}")
string(REPLACE "\\" "\\\\" command "${command}")
file(READ "${KES_DESKTOP_SOURCE}" entry)
string(REPLACE "Exec=kestrova " "Exec=\"${command}\" " entry "${entry}")
set(target "$ENV{DESTDIR}${prefix}/${KES_DATADIR}/applications/kestrova.desktop")
message(STATUS "Installing: ${target}")
file(WRITE "${target}" "${entry}")
