# Run when installing: writes share/applications/<program>.desktop from its template, with
# the installed executable's full path. Expects LAUNCHER_TEMPLATE and LAUNCHER_PROGRAM.
get_filename_component(prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
set(exec "${prefix}/bin/${LAUNCHER_PROGRAM}")
# A desktop entry's Exec takes the path quoted, with \ " ` $ escaped inside the quotes,
# and every \ of the value written twice.
string(REGEX REPLACE "([\\\\\"`$])" "\\\\\\1" exec "${exec}")
string(REPLACE "\\" "\\\\" exec "${exec}")
file(READ "${LAUNCHER_TEMPLATE}" entry)
string(REPLACE "%EXEC%" "\"${exec}\"" entry "${entry}")
set(launcher "$ENV{DESTDIR}${prefix}/share/applications/${LAUNCHER_PROGRAM}.desktop")
message(STATUS "Installing: ${launcher}")
file(WRITE "${launcher}" "${entry}")
