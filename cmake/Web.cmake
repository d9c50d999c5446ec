# The browser's build: one course site in <build>/site that any static web server serves. Each
# program has its page there (web/program.html.in) with its .js and .wasm beside it; they all
# share the toolkit's loader, web/program.js and the course's Chinese face, which the browser
# fetches once. index.html lists the programs by their Chinese names.

# A run-time error is a C++ exception that the form's error trap catches and shows. The
# toolkit's settings leave throwing on but catching off, so that every error would end the
# program; our code is compiled, and every program linked, with catching on.
add_compile_options(-fexceptions)
get_target_property(platform_link_options Qt6::Platform INTERFACE_LINK_OPTIONS)
list(TRANSFORM platform_link_options REPLACE "DISABLE_EXCEPTION_CATCHING=1"
     "DISABLE_EXCEPTION_CATCHING=0")
set_target_properties(Qt6::Platform PROPERTIES INTERFACE_LINK_OPTIONS "${platform_link_options}")

set(SITE_DIR ${CMAKE_BINARY_DIR}/site)
set_property(GLOBAL PROPERTY SITE_ITEMS "")

# The page of one program; keeps_files is true for the program whose folder holds files.
function(add_site_page name title comment keeps_files)
    set(PROGRAM ${name})
    set(TITLE ${title})
    set(COMMENT ${comment})
    set(KEEPS_FILES ${keeps_files})
    configure_file(${PROJECT_SOURCE_DIR}/web/program.html.in ${SITE_DIR}/${name}.html @ONLY)
    add_custom_command(TARGET ${name} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE_DIR:${name}>/${name}.js
                $<TARGET_FILE_DIR:${name}>/${name}.wasm $<TARGET_FILE_DIR:${name}>/qtloader.js
                ${SITE_DIR}/)
    set_property(GLOBAL APPEND_STRING PROPERTY SITE_ITEMS
        "<li><a href=\"${name}.html\"><img src=\"pictures/${name}.png\" alt=\"\"><br>${title} (${name})</a><br>${comment}</li>\n")
endfunction()

# The index page, the shared files and the face; after every program has added its page.
function(finish_site)
    get_property(PROGRAM_ITEMS GLOBAL PROPERTY SITE_ITEMS)
    configure_file(${PROJECT_SOURCE_DIR}/web/index.html.in ${SITE_DIR}/index.html @ONLY)
    file(COPY ${PROJECT_SOURCE_DIR}/web/program.js ${PROJECT_SOURCE_DIR}/web/site.css
         DESTINATION ${SITE_DIR})
    file(GLOB pictures ${PROJECT_SOURCE_DIR}/docs/web/*.png)
    file(COPY ${pictures} DESTINATION ${SITE_DIR}/pictures)

    # Debian's fontTools, with the system's own Python (another on the PATH may lack it).
    find_program(FONTTOOLS_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
                 REQUIRED)
    set(collection /usr/share/fonts/truetype/arphic/uming.ttc)
    set(face ${SITE_DIR}/fonts/course-cjk.ttf)
    add_custom_command(OUTPUT ${face}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${SITE_DIR}/fonts
        COMMAND ${FONTTOOLS_PYTHON} ${PROJECT_SOURCE_DIR}/web/subset_font.py ${collection} ${face}
        DEPENDS ${PROJECT_SOURCE_DIR}/web/subset_font.py ${collection}
        COMMENT "The course's Chinese face: ${face}" VERBATIM)
    add_custom_target(site_face ALL DEPENDS ${face})
endfunction()
