# Windows: each program's folder also holds the toolkit libraries and plugins it loads, and
# cpack makes the students' handout from that folder with a note on how to start: a ZIP, and
# an installer where NSIS is at hand.

if(CMAKE_CROSSCOMPILING AND BUILD_TESTING)
    # Cross-built here: ctest runs the test programs under Wine, in a prefix of the build's own.
    set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tests/windows/wine-test.sh
        ${CMAKE_BINARY_DIR}/wine ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS})
endif()

install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>
        DESTINATION ${PROGRAM_INSTALL_DIR})
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>
        DESTINATION ${PROGRAM_INSTALL_DIR}/platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>
        DESTINATION ${PROGRAM_INSTALL_DIR}/styles)

# The compiler's own run-time libraries.
if(MINGW)
    foreach(library libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${library}
                        OUTPUT_VARIABLE runtime_library OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT IS_ABSOLUTE "${runtime_library}")
            message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${library} is")
        endif()
        install(FILES ${runtime_library} DESTINATION ${PROGRAM_INSTALL_DIR})
        # They come with debug sections (libstdc++ 23.7 MB, 4.3 MB without), which a handout
        # leaves out: cpack installs with --strip, which by itself strips only the programs.
        install(CODE "
            if(CMAKE_INSTALL_DO_STRIP)
                execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-debug
                    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${PROGRAM_INSTALL_DIR}/${library}\"
                    COMMAND_ERROR_IS_FATAL ANY)
            endif()
        ")
    endforeach()
else()
    set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION ${PROGRAM_INSTALL_DIR})
    include(InstallRequiredSystemLibraries)
endif()

# The toolkit's own texts in Chinese, beside the programs and the tests as in the handout. The
# translation files are the same on every system, so a cross build takes the host's.
find_file(QTBASE_TRANSLATION qtbase_zh_CN.qm
          PATHS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS} ${QT_HOST_PATH}/share/qt6/translations
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
file(COPY ${QTBASE_TRANSLATION} DESTINATION ${CMAKE_BINARY_DIR}/bin/translations)
file(COPY ${QTBASE_TRANSLATION} DESTINATION ${CMAKE_BINARY_DIR}/tests/translations)
install(FILES ${QTBASE_TRANSLATION} DESTINATION ${PROGRAM_INSTALL_DIR}/translations)

# After every program is added: the handout's note, which lists them, and the packages, whose
# installer makes a Start-menu shortcut for each.
function(finish_handout)
    # A line for each program: the file, its Chinese name, what it does and what else to know,
    # the names lined up after the longest file name.
    get_property(programs GLOBAL PROPERTY COURSE_PROGRAMS)
    set(widest 0)
    foreach(program ${programs})
        string(LENGTH "${program}.exe" length)
        if(length GREATER widest)
            set(widest ${length})
        endif()
    endforeach()
    set(handout_lines "")
    foreach(program ${programs})
        string(LENGTH "${program}.exe" length)
        math(EXPR blanks "${widest} + 3 - ${length}")
        string(REPEAT " " ${blanks} padding)
        course_fact(title ${program} LAUNCHER_NAME)
        course_fact(comment ${program} LAUNCHER_COMMENT)
        course_fact(note ${program} HANDOUT_NOTE)
        list(APPEND handout_lines "   ${program}.exe${padding}${title}：${comment}${note}")
    endforeach()
    list(JOIN handout_lines "\r\n" HANDOUT_PROGRAMS)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/handout/说明.txt.in
                   ${CMAKE_BINARY_DIR}/handout/说明.txt @ONLY NEWLINE_STYLE CRLF)
    install(FILES ${CMAKE_BINARY_DIR}/handout/说明.txt DESTINATION ${PROGRAM_INSTALL_DIR})

    # The handout leaves out debug sections: the programs are stripped as they are installed.
    set(CPACK_GENERATOR ZIP)
    set(CPACK_STRIP_FILES TRUE)
    set(CPACK_PACKAGE_FILE_NAME "coursework-${PROJECT_VERSION}-windows")
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
    # The NSIS code below reaches cpack as written.
    set(CPACK_VERBATIM_VARIABLES TRUE)

    # Beside the ZIP, where NSIS is at hand, an installer for one user without administrator
    # rights (cmake/handout/NSIS.template.in): the same files, a Start-menu folder with each
    # program by its Chinese name, and an entry among the user's installed programs.
    find_program(MAKENSIS makensis)
    if(MAKENSIS)
        list(APPEND CPACK_GENERATOR NSIS)
    endif()
    set(CPACK_MODULE_PATH ${PROJECT_SOURCE_DIR}/cmake/handout)
    set(CPACK_NSIS_EXECUTABLE ${MAKENSIS})
    # The script holds Chinese names; makensis would otherwise read it in the system's code page.
    set(CPACK_NSIS_EXECUTABLE_PRE_ARGUMENTS "INPUTCHARSET UTF8")
    set(CPACK_PACKAGE_INSTALL_DIRECTORY coursework)
    set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY coursework)
    set(CPACK_NSIS_DISPLAY_NAME 课程示例小程序)
    set(CPACK_NSIS_PACKAGE_NAME 课程示例小程序)
    set(CPACK_NSIS_UNINSTALL_NAME 卸载)
    set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
    set(CPACK_NSIS_CREATE_ICONS_EXTRA "")
    set(CPACK_NSIS_DELETE_ICONS_EXTRA "")
    set(start_menu "")
    foreach(program ${programs})
        course_fact(launcher_name ${program} LAUNCHER_NAME)
        string(APPEND start_menu "${program} ${launcher_name}\n")
        set(shortcut "\${START_MENU}\\${launcher_name}.lnk")
        string(APPEND CPACK_NSIS_CREATE_ICONS_EXTRA
               "  CreateShortCut \"${shortcut}\" \"$INSTDIR\\${program}.exe\"\n")
        string(APPEND CPACK_NSIS_DELETE_ICONS_EXTRA "  Delete \"${shortcut}\"\n")
    endforeach()
    # What the installer's test looks for: each program and its shortcut's name, one a line.
    file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/handout/start-menu.txt CONTENT "${start_menu}")
    include(CPack)
endfunction()
