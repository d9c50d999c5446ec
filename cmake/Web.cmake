# The browser's build: one course site in <build>/site that any static web server serves. The
# programs are linked into one module, which every program's page (web/program.html.in) loads,
# naming the program to start; the pages share that module, the toolkit's loader, web/program.js
# and the course's Chinese faces, so the browser fetches each once. What the page and the
# program expect of each other is web/page-and-program.md. index.html lists the programs by their
# Chinese names; each program's page shows, below the program, its code. The files that change
# from build to build carry a digest of their bytes in their names, and every file worth it lies
# beside itself compressed (web/build_site.mjs).

# A run-time error is a C++ exception that the form's error trap catches and shows. The
# toolkit's settings leave throwing on but catching off, so that every error would end the
# program; our code is compiled, and the module linked, with catching on.
add_compile_options(-fexceptions)
get_target_property(platform_link_options Qt6::Platform INTERFACE_LINK_OPTIONS)
list(TRANSFORM platform_link_options REPLACE "DISABLE_EXCEPTION_CATCHING=1"
     "DISABLE_EXCEPTION_CATCHING=0")
# The module is optimised for size at link time, as small as the optimiser makes it.
list(TRANSFORM platform_link_options REPLACE "^-Os$" "-Oz")
set_target_properties(Qt6::Platform PROPERTIES INTERFACE_LINK_OPTIONS "${platform_link_options}")

set(SITE_DIR ${CMAKE_BINARY_DIR}/site)

# One program of the site, as add_program declared it: its page, its files (the sample
# student1.dat) and its resources, which the module links.
function(add_to_site name resources)
    course_fact(title ${name} LAUNCHER_NAME)
    course_fact(comment ${name} LAUNCHER_COMMENT)
    course_fact(files ${name} FILES)
    course_fact(icon ${name} ICON)
    set(keeps_files false)
    if(files)
        set(keeps_files true)
    endif()
    # Its own code (its window and its logic) is shown on its page, below it.
    get_target_property(sources ${name}_parts SOURCES)
    list(TRANSFORM sources PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
    set_property(GLOBAL APPEND PROPERTY SITE_SOURCES ${sources})
    list(TRANSFORM sources REPLACE "(.+)" "\"\\1\"" OUTPUT_VARIABLE sources_json)
    list(JOIN sources_json ", " sources_json)
    # Its icon is its page's too.
    json_string(title_json "${title}")
    json_string(comment_json "${comment}")
    json_string(icon_json "${icon}")
    set_property(GLOBAL APPEND PROPERTY SITE_PROGRAMS
        "{\"name\": \"${name}\", \"title\": ${title_json}, \"comment\": ${comment_json}, \"keepsFiles\": ${keeps_files}, \"icon\": ${icon_json}, \"sources\": [${sources_json}]}")
    set_property(GLOBAL APPEND PROPERTY SITE_ICONS ${icon})
    set_property(GLOBAL APPEND PROPERTY SITE_RESOURCES ${resources})
    set_property(GLOBAL APPEND PROPERTY SITE_FILES ${files})
    # What the programs draw, for the first face: their sources and the files they show.
    set_property(GLOBAL APPEND PROPERTY SITE_TEXTS ${sources} ${files})
endfunction()

# The module, its faces and the site; after every program is added.
function(finish_site)
    get_property(programs GLOBAL PROPERTY COURSE_PROGRAMS)
    get_property(resources GLOBAL PROPERTY SITE_RESOURCES)

    # The module: the programs' parts, each in its own namespace, and a main that starts the one
    # the page names.
    qt_add_executable(course ${PROJECT_SOURCE_DIR}/web/course_wasm.cpp ${resources})
    list(TRANSFORM programs APPEND "_parts" OUTPUT_VARIABLE parts)
    target_link_libraries(course PRIVATE ${parts})
    write_program_header(${CMAKE_CURRENT_BINARY_DIR}/course/programs.h)
    target_include_directories(course PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/course)
    set_target_properties(course PROPERTIES
        QT_WASM_EXTRA_EXPORTED_METHODS "FS,addRunDependency,removeRunDependency,ccall")
    target_link_options(course PRIVATE -lidbfs.js)
    # Nothing of the toolkit's that the programs never use: they read no GIF, ICO or JPEG
    # images, and draw every text in the course's face, not the platform's own (DejaVu, Vera).
    qt_import_plugins(course EXCLUDE_BY_TYPE imageformats)
    set_property(TARGET Qt6::QWasmIntegrationPlugin_resources_1 PROPERTY IMPORTED_OBJECTS_RELEASE "")
    # Asyncify, which lets a message box wait, instruments only what can be on the stack then.
    file(STRINGS ${PROJECT_SOURCE_DIR}/web/asyncify-remove.txt patterns REGEX "^[^#]")
    list(TRANSFORM patterns REPLACE "(.+)" "\"\\1\"")
    list(JOIN patterns ", " patterns)
    file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/asyncify-remove.json CONTENT "[${patterns}]\n")
    target_link_options(course PRIVATE "SHELL:-s ASYNCIFY_REMOVE=@${CMAKE_BINARY_DIR}/asyncify-remove.json")
    set_property(TARGET course APPEND PROPERTY LINK_DEPENDS ${CMAKE_BINARY_DIR}/asyncify-remove.json)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                 ${PROJECT_SOURCE_DIR}/web/asyncify-remove.txt)
    # Linked together, two programs must not define the same name (check_names_apart).
    add_dependencies(course programs_names_apart)

    # The faces: the first, with what the windows, their messages and the sample show, draws
    # the first window; the whole of code page 936 follows in the background. Debian's
    # fontTools, here and Pygments below, with the system's own Python (another on the PATH may
    # lack them).
    find_program(SYSTEM_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
                 REQUIRED)
    set(collection /usr/share/fonts/truetype/arphic/uming.ttc)
    set(faces ${CMAKE_BINARY_DIR}/faces)
    get_property(texts GLOBAL PROPERTY SITE_TEXTS)
    file(GLOB_RECURSE common_sources ${PROJECT_SOURCE_DIR}/common/forms/*.cpp
         ${PROJECT_SOURCE_DIR}/common/runtime/*.cpp)
    list(APPEND texts ${common_sources})
    add_custom_command(OUTPUT ${faces}/course-cjk.ttf ${faces}/course-first.ttf
        COMMAND ${CMAKE_COMMAND} -E make_directory ${faces}
        COMMAND ${SYSTEM_PYTHON} ${PROJECT_SOURCE_DIR}/web/subset_font.py ${collection}
                ${faces}/course-cjk.ttf
        COMMAND ${SYSTEM_PYTHON} ${PROJECT_SOURCE_DIR}/web/subset_font.py ${collection}
                ${faces}/course-first.ttf ${texts}
        DEPENDS ${PROJECT_SOURCE_DIR}/web/subset_font.py ${collection} ${texts}
        COMMENT "The course's Chinese faces: ${faces}" VERBATIM)
    add_custom_target(site_faces DEPENDS ${faces}/course-cjk.ttf ${faces}/course-first.ttf)

    # The site, from the module, the faces and web/, each time one of them changes.
    get_property(site_programs GLOBAL PROPERTY SITE_PROGRAMS)
    list(JOIN site_programs ",\n    " site_programs)
    get_property(site_files GLOBAL PROPERTY SITE_FILES)
    get_property(icons GLOBAL PROPERTY SITE_ICONS)
    file(GLOB pictures ${PROJECT_SOURCE_DIR}/docs/web/*.png)
    list(TRANSFORM site_files REPLACE "(.+)" "\"\\1\"" OUTPUT_VARIABLE files_json)
    list(JOIN files_json ", " files_json)
    set(pictures_json ${pictures})
    list(TRANSFORM pictures_json REPLACE "(.+)" "\"\\1\"")
    list(JOIN pictures_json ", " pictures_json)
    file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/site.json CONTENT "{
  \"programs\": [
    ${site_programs}
  ],
  \"files\": [${files_json}],
  \"pictures\": [${pictures_json}]
}
")
    # Each program's own code for its page, highlighted.
    get_property(sources GLOBAL PROPERTY SITE_SOURCES)
    set(code ${CMAKE_BINARY_DIR}/code)
    list(TRANSFORM programs REPLACE "(.+)" "${code}/\\1.html" OUTPUT_VARIABLE listings)
    add_custom_command(OUTPUT ${listings}
        COMMAND ${SYSTEM_PYTHON} ${PROJECT_SOURCE_DIR}/web/highlight_code.py
                ${CMAKE_BINARY_DIR}/site.json ${code}
        DEPENDS ${PROJECT_SOURCE_DIR}/web/highlight_code.py ${sources} ${CMAKE_BINARY_DIR}/site.json
        COMMENT "The programs' code for their pages: ${code}" VERBATIM)

    find_program(NODE_PROGRAM node REQUIRED)
    file(GLOB web_sources ${PROJECT_SOURCE_DIR}/web/*.in ${PROJECT_SOURCE_DIR}/web/*.js
         ${PROJECT_SOURCE_DIR}/web/*.css ${PROJECT_SOURCE_DIR}/web/*.mjs)
    set(site_stamp ${CMAKE_BINARY_DIR}/site.stamp)
    add_custom_command(OUTPUT ${site_stamp}
        COMMAND ${NODE_PROGRAM} ${PROJECT_SOURCE_DIR}/web/build_site.mjs
                --config ${CMAKE_BINARY_DIR}/site.json --web ${PROJECT_SOURCE_DIR}/web
                --module $<TARGET_FILE_DIR:course>/course --faces ${faces} --code ${code}
                --out ${SITE_DIR}
        COMMAND ${CMAKE_COMMAND} -E touch ${site_stamp}
        DEPENDS course site_faces ${faces}/course-cjk.ttf ${faces}/course-first.ttf ${listings}
                ${web_sources} ${site_files} ${pictures} ${icons} ${CMAKE_BINARY_DIR}/site.json
        COMMENT "The course site: ${SITE_DIR}" VERBATIM)
    add_custom_target(site ALL DEPENDS ${site_stamp})
endfunction()
