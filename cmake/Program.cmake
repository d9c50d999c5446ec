# add_qt_test(<name> LABEL <unit|window|desktop> SOURCES <files...> LIBS <targets...>
#             [SCALES <f...>])
# A Qt Test program under <binary>/tests, run headless by ctest: "unit" needs no window,
# "window" drives real windows on the offscreen platform, "desktop" (Linux only) on an X
# display of its own under Xvfb. SCALES runs it again on a screen scaled by each factor
# (<name>_scaled_<f>), as on a high-resolution desktop.
function(add_qt_test name)
    cmake_parse_arguments(ARG "" "LABEL" "SOURCES;LIBS;SCALES" ${ARGN})
    if(NOT BUILD_TESTING)
        return()
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    if(ARG_LABEL STREQUAL "desktop")
        add_test(NAME ${name}
                 COMMAND ${PROJECT_SOURCE_DIR}/common/tests/desktop_test.sh $<TARGET_FILE:${name}>)
        set_tests_properties(${name} PROPERTIES LABELS desktop TIMEOUT 120)
        return()
    endif()
    # The platform goes on the command line too: Wine keeps QT_ variables from a program.
    if(ARG_LABEL STREQUAL "window")
        set(platform -platform offscreen)
    endif()
    set(environment QT_QPA_PLATFORM=offscreen QT_QPA_FONTDIR=/usr/share/fonts)
    set(path "")
    if(WIN32 AND NOT CMAKE_CROSSCOMPILING)
        # Built on Windows: the toolkit's fonts are the system's; its libraries on the PATH.
        set(environment QT_QPA_PLATFORM=offscreen "QT_QPA_FONTDIR=$ENV{WINDIR}/Fonts")
        set(path "PATH=path_list_prepend:${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}")
    endif()
    foreach(scale 1 ${ARG_SCALES})
        set(test ${name})
        set(scaled ${environment})
        if(NOT scale STREQUAL "1")
            set(test ${name}_scaled_${scale})
            list(APPEND scaled QT_SCALE_FACTOR=${scale})
        endif()
        add_test(NAME ${test} COMMAND ${name} ${platform})
        set_tests_properties(${test} PROPERTIES
            ENVIRONMENT "${scaled}" ENVIRONMENT_MODIFICATION "${path}"
            LABELS ${ARG_LABEL} TIMEOUT 600)
    endforeach()
endfunction()

# Where installing puts the programs: bin/ beside share/ on Unix; on Windows one folder holds
# each program with the libraries it loads, as Windows looks for them beside the program. A
# program's own files (stuledger's sample records) go beside it on Windows, and on Unix into
# share/<project>/<program>/, from where the program copies them into a folder of the user's.
if(WIN32)
    set(PROGRAM_INSTALL_DIR .)
    set(PROGRAM_FILES_DIR .)
else()
    set(PROGRAM_INSTALL_DIR ${CMAKE_INSTALL_BINDIR})
    set(PROGRAM_FILES_DIR ${CMAKE_INSTALL_DATADIR}/${PROJECT_NAME})
endif()

# add_program(<name> SOURCES <form and model files...> [RESOURCES <qrc...>]
#             [FILES <files copied beside the executable...>] [TESTS <test sources...>]
#             [TEST_SCALES <screen scale factors the tests run again at...>]
#             LAUNCHER_NAME <its Chinese name> LAUNCHER_COMMENT <one line in Chinese>
#             ENGLISH_NAME <the name in English> ENGLISH_SUMMARY <the line in English>
#             [HANDOUT_NOTE <what else the Windows handout's note says of it>])
# What the program is, it says here once: the names, the lines, its files and its icon
# (<name>.svg beside its sources) are kept on its target <name>_parts (COURSE_* properties), and
# everything that presents the programs reads them from there: the Windows handout and
# installer, the Debian package's launchers, AppStream components and manual pages, the site,
# and <build>/programs.json (write_program_list), which tests and tools read.
# The program's own code goes into <name>_parts, which the executable, the tests and the
# browser's one module share, so the tests drive the very Form1 the program shows; the
# program starts with its Form1 (forms::runProgram), which needs no code of its own.
# Installing puts the program in PROGRAM_INSTALL_DIR and its files in PROGRAM_FILES_DIR, and on
# a Unix desktop a launcher with the program's icon and what a software centre shows of it (in
# both languages) under share/.
set(COURSE_FACTS LAUNCHER_NAME LAUNCHER_COMMENT ENGLISH_NAME ENGLISH_SUMMARY HANDOUT_NOTE)
function(add_program name)
    cmake_parse_arguments(ARG "" "${COURSE_FACTS}"
        "SOURCES;RESOURCES;FILES;TESTS;TEST_SCALES" ${ARGN})
    if(ARG_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "${name}: add_program does not know ${ARG_UNPARSED_ARGUMENTS}")
    endif()
    foreach(needed LAUNCHER_NAME LAUNCHER_COMMENT ENGLISH_NAME ENGLISH_SUMMARY)
        if(NOT ARG_${needed})
            message(FATAL_ERROR "${name}: ${needed} is needed")
        endif()
    endforeach()
    set_property(GLOBAL APPEND PROPERTY COURSE_PROGRAMS ${name})
    add_library(${name}_parts STATIC ${ARG_SOURCES})
    target_include_directories(${name}_parts PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name}_parts PUBLIC common_forms)
    foreach(fact ${COURSE_FACTS})
        set_property(TARGET ${name}_parts PROPERTY COURSE_${fact} "${ARG_${fact}}")
    endforeach()
    list(TRANSFORM ARG_FILES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/ OUTPUT_VARIABLE files)
    set_target_properties(${name}_parts PROPERTIES COURSE_FILES "${files}"
                          COURSE_ICON ${CMAKE_CURRENT_SOURCE_DIR}/${name}.svg)
    if(ARG_TESTS)
        add_qt_test(tst_${name} LABEL window
                    SOURCES ${ARG_TESTS} ${ARG_RESOURCES} ${PROJECT_SOURCE_DIR}/common/tests/windowtest.h
                            ${PROJECT_SOURCE_DIR}/common/tests/hosttest.h
                    LIBS ${name}_parts SCALES ${ARG_TEST_SCALES})
    endif()
    if(EMSCRIPTEN)
        # In the browser every program is linked into the course's one module (web/).
        list(TRANSFORM ARG_RESOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
        add_to_site(${name} "${ARG_RESOURCES}")
        return()
    endif()

    # A window program: no console beside it on Windows, an application bundle on macOS.
    qt_add_executable(${name} WIN32 MACOSX_BUNDLE ${PROJECT_SOURCE_DIR}/common/forms/program_main.cpp
                      ${ARG_RESOURCES})
    target_compile_definitions(${name} PRIVATE PROGRAM=${name} PROGRAM_NAME="${name}")
    target_link_libraries(${name} PRIVATE ${name}_parts)
    foreach(file ${ARG_FILES})
        get_filename_component(base ${file} NAME)
        add_custom_command(TARGET ${name} POST_BUILD
            COMMAND ${CMAKE_COMMAND} -E copy_if_different
                    ${CMAKE_CURRENT_SOURCE_DIR}/${file} $<TARGET_FILE_DIR:${name}>/${base})
    endforeach()
    install(TARGETS ${name} RUNTIME DESTINATION ${PROGRAM_INSTALL_DIR}
                            BUNDLE DESTINATION ${PROGRAM_INSTALL_DIR})
    if(LINUX)
        # Installed with --strip (the Debian package), the compiler's notes go too, as Debian
        # strips them; the strip alone keeps them.
        install(CODE "
            if(CMAKE_INSTALL_DO_STRIP)
                execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment
                    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${PROGRAM_INSTALL_DIR}/${name}\"
                    COMMAND_ERROR_IS_FATAL ANY)
            endif()
        ")
    endif()
    if(ARG_FILES AND PROGRAM_FILES_DIR STREQUAL PROGRAM_INSTALL_DIR)
        install(FILES ${ARG_FILES} DESTINATION ${PROGRAM_INSTALL_DIR})
    elseif(ARG_FILES)
        install(FILES ${ARG_FILES} DESTINATION ${PROGRAM_FILES_DIR}/${name})
    endif()
    if(UNIX AND NOT APPLE)
        install_desktop_files(${name})
    endif()
endfunction()

# What a Unix install gives a program's users, each from a template filled with its names:
# its launcher and icon, what a software centre shows of it (its AppStream component, named by
# the launcher) and its manual page (man <program>; one with files of its own says where it
# keeps them). The launcher names the installed executable by its full path, so it is written
# when installing, once the prefix is known. The component lists the pictures of docs/ where the
# course publishes them: AppStream takes only https addresses, so only when SCREENSHOT_URL names
# that folder.
set(APPSTREAM_ID_PREFIX "local.coursework" CACHE STRING
    "The reverse domain name before each program's name in its AppStream id")
set(SCREENSHOT_URL "" CACHE STRING
    "The https address where docs/ is published, for the software centre's pictures")
function(install_desktop_files name)
    set(PROGRAM ${name})
    string(TOUPPER ${name} PROGRAM_UPPER)
    course_fact(TITLE ${name} LAUNCHER_NAME)
    course_fact(COMMENT ${name} LAUNCHER_COMMENT)
    course_fact(ENGLISH_NAME ${name} ENGLISH_NAME)
    course_fact(ENGLISH_SUMMARY ${name} ENGLISH_SUMMARY)
    course_fact(files ${name} FILES)
    course_fact(icon ${name} ICON)

    configure_file(${PROJECT_SOURCE_DIR}/cmake/launcher.desktop.in
                   ${CMAKE_CURRENT_BINARY_DIR}/${name}.desktop.in @ONLY)
    install(CODE "
        set(LAUNCHER_TEMPLATE \"${CMAKE_CURRENT_BINARY_DIR}/${name}.desktop.in\")
        set(LAUNCHER_PROGRAM ${name})
        include(\"${PROJECT_SOURCE_DIR}/cmake/InstallLauncher.cmake\")
    ")
    install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

    set(COMPONENT_ID ${APPSTREAM_ID_PREFIX}.${name})
    set(SCREENSHOTS "")
    if(SCREENSHOT_URL)
        if(NOT SCREENSHOT_URL MATCHES "^https://")
            message(FATAL_ERROR "SCREENSHOT_URL must be an https address: ${SCREENSHOT_URL}")
        endif()
        string(REGEX REPLACE "/+$" "" url "${SCREENSHOT_URL}")
        string(CONCAT SCREENSHOTS "\n  <screenshots>\n    <screenshot type=\"default\">\n"
               "      <caption>${ENGLISH_NAME}</caption>\n"
               "      <caption xml:lang=\"zh-CN\">${TITLE}</caption>\n"
               "      <image>${url}/${name}.png</image>\n    </screenshot>\n  </screenshots>")
    endif()
    configure_file(${PROJECT_SOURCE_DIR}/cmake/metainfo.xml.in
                   ${CMAKE_CURRENT_BINARY_DIR}/${COMPONENT_ID}.metainfo.xml @ONLY)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${COMPONENT_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

    set(FILES_SECTION "")
    if(files)
        list(TRANSFORM files REPLACE ".*/" "")
        list(JOIN files ", " names)
        string(CONCAT FILES_SECTION ".SH FILES\n"
            ".TP\n.I ~/.local/share/${PROJECT_NAME}/${name}/\n"
            "Where the program reads and writes its files (\\fB$XDG_DATA_HOME/${PROJECT_NAME}/${name}/\\fR"
            " when that variable is set). Its first start makes the folder and copies ${names} into it.\n"
            ".TP\n.I ../share/${PROJECT_NAME}/${name}/\n"
            "Beside the folder the program stands in (/usr/share/… for /usr/bin/${name}):"
            " the files as installed, ${names}.")
    endif()
    set(page ${CMAKE_CURRENT_BINARY_DIR}/${name}.1)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/manpage.1.in ${page} @ONLY)
    # Compressed as Debian compresses manual pages: no name or time in the gzip header.
    execute_process(COMMAND gzip -9nf ${page} COMMAND_ERROR_IS_FATAL ANY)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()

# A fact of a program, as add_program recorded it: course_fact(<variable> <program> <FACT>).
function(course_fact variable program fact)
    get_target_property(value ${program}_parts COURSE_${fact})
    if(NOT value)
        set(value "")
    endif()
    set(${variable} "${value}" PARENT_SCOPE)
endfunction()

# A header that includes every program's form1.h and defines COURSE_PROGRAMS, the programs in
# order as PROGRAM(name)..., for code that makes every program's first window (the browser's
# one module, the layouts); after every program is added.
function(write_program_header file)
    get_property(programs GLOBAL PROPERTY COURSE_PROGRAMS)
    set(includes "")
    set(entries "")
    foreach(program ${programs})
        get_target_property(folder ${program}_parts SOURCE_DIR)
        string(APPEND includes "#include \"${folder}/form1.h\"\n")
        string(APPEND entries "PROGRAM(${program})")
    endforeach()
    file(CONFIGURE OUTPUT ${file}
         CONTENT "#pragma once\n${includes}#define COURSE_PROGRAMS ${entries}\n")
endfunction()

# A text as a JSON string.
function(json_string variable text)
    string(REPLACE "\\" "\\\\" text "${text}")
    string(REPLACE "\"" "\\\"" text "${text}")
    set(${variable} "\"${text}\"" PARENT_SCOPE)
endfunction()

# After every program is added: the list of the programs built, which scripts, checks, tools
# and pages read: build/programs.json, each program in order with what add_program says of it
# (program_names in tests/lib/common.sh gives the scripts their names).
function(write_program_list)
    get_property(programs GLOBAL PROPERTY COURSE_PROGRAMS)
    set(entries "")
    foreach(program ${programs})
        string(JSON entry SET "{}" name "\"${program}\"")
        foreach(fact ${COURSE_FACTS} ICON)
            course_fact(value ${program} ${fact})
            json_string(value "${value}")
            string(TOLOWER ${fact} key)
            string(JSON entry SET "${entry}" ${key} "${value}")
        endforeach()
        course_fact(files ${program} FILES)
        string(JSON entry SET "${entry}" files "[]")
        set(index 0)
        foreach(file ${files})
            json_string(file "${file}")
            string(JSON entry SET "${entry}" files ${index} "${file}")
            math(EXPR index "${index} + 1")
        endforeach()
        list(APPEND entries "${entry}")
    endforeach()
    list(JOIN entries ",\n" entries)
    file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/programs.json CONTENT "[\n${entries}\n]\n")
endfunction()

# After every program is added: the build fails when two programs' objects define the same
# external name, which in the browser's one module the linker would keep once for both. Not on
# Windows, whose objects list what the linker merges (inline functions, type information) as
# defined outright, and where each program is an executable of its own anyway.
function(check_names_apart)
    get_property(programs GLOBAL PROPERTY COURSE_PROGRAMS)
    if(WIN32 OR NOT CMAKE_NM OR NOT programs)
        return()
    endif()
    list(TRANSFORM programs APPEND "_parts" OUTPUT_VARIABLE parts)
    list(TRANSFORM parts PREPEND "$<TARGET_FILE:" OUTPUT_VARIABLE archives)
    list(TRANSFORM archives APPEND ">")
    set(stamp ${CMAKE_BINARY_DIR}/programs-names-apart.stamp)
    add_custom_command(OUTPUT ${stamp}
        COMMAND python3 ${PROJECT_SOURCE_DIR}/cmake/check_names_apart.py --nm ${CMAKE_NM}
                ${archives}
        COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
        DEPENDS ${parts} ${PROJECT_SOURCE_DIR}/cmake/check_names_apart.py
        COMMENT "No two programs define the same name" VERBATIM)
    add_custom_target(programs_names_apart ALL DEPENDS ${stamp})

    # The check, shown to refuse two programs that both define a name of their own.
    if(BUILD_TESTING)
        foreach(program clash_one clash_two)
            add_library(${program}_parts STATIC ${PROJECT_SOURCE_DIR}/tests/cmake/clash.cpp)
        endforeach()
        add_test(NAME names_apart_refuses_a_clash
                 COMMAND python3 ${PROJECT_SOURCE_DIR}/cmake/check_names_apart.py --nm ${CMAKE_NM}
                         $<TARGET_FILE:clash_one_parts> $<TARGET_FILE:clash_two_parts>)
        set_tests_properties(names_apart_refuses_a_clash PROPERTIES LABELS unit
            PASS_REGULAR_EXPRESSION "clash_one and clash_two both define Command1_Click\\(\\)")
    endif()
endfunction()
