# Linux: cpack makes a Debian package of the install (scripts/debian.sh): the programs in
# /usr/bin, their launchers, icons, AppStream components and manual pages under /usr/share,
# and stuledger's sample in /usr/share/coursework/stuledger, which the program copies into the
# user's own folder on its first start.

set(DEBIAN_MAINTAINER "Coursework teachers <teachers@coursework.invalid>" CACHE STRING
    "The Debian package's maintainer, a name and an e-mail address")

# What Debian keeps of every package under /usr/share/doc/<package>: the copyright, and the
# changelog compressed as Debian compresses it (no name or time in the gzip header, so the
# package has the same bytes at every build). The package is made here, with the programs,
# so it is a native one and its changelog is changelog.gz.
set(doc_dir ${CMAKE_BINARY_DIR}/debian)
execute_process(COMMAND date -R -u -d "${PROJECT_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE RELEASE_DATE_RFC5322 OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
configure_file(${PROJECT_SOURCE_DIR}/cmake/debian/changelog.in ${doc_dir}/changelog @ONLY)
execute_process(COMMAND gzip -9nf ${doc_dir}/changelog COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${PROJECT_SOURCE_DIR}/cmake/debian/copyright ${doc_dir}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The one remark of lintian's that is meant: the sample records are in code page 936.
install(FILES ${PROJECT_SOURCE_DIR}/cmake/debian/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME ${PROJECT_NAME})

# After every program is added: the package, whose description names them.
function(finish_package)
    set(CPACK_GENERATOR DEB)
    set(CPACK_STRIP_FILES TRUE)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${DEBIAN_MAINTAINER}")
    set(CPACK_DEBIAN_PACKAGE_SECTION education)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    # The libraries the programs link are found by dpkg-shlibdeps. What it cannot see: a Chinese
    # face for the windows' texts, and the toolkit's Chinese translation for its buttons.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-uming | fonts-noto-cjk, qt6-translations-l10n")
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-arphic-ukai")
    set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small programs with Chinese windows for a programming course")
    # The package's description names each program, in English and in Chinese, in lines of at
    # most 72 bytes.
    get_property(programs GLOBAL PROPERTY COURSE_PROGRAMS)
    set(text "Worked examples that a programming course reads, runs and changes, each in the application menu under Education:")
    list(LENGTH programs count)
    set(index 0)
    foreach(program ${programs})
        math(EXPR index "${index} + 1")
        course_fact(english_name ${program} ENGLISH_NAME)
        course_fact(title ${program} LAUNCHER_NAME)
        if(index EQUAL count AND count GREATER 1)
            string(APPEND text " and")
        endif()
        string(APPEND text " ${english_name} (${title})")
        if(index LESS count)
            string(APPEND text ",")
        endif()
    endforeach()
    string(REPLACE " " ";" words "${text}.")
    set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "")
    set(line "")
    foreach(word ${words})
        string(LENGTH "${line} ${word}" length)
        if(line AND length GREATER 72)
            string(APPEND CPACK_DEBIAN_PACKAGE_DESCRIPTION "${line}\n")
            set(line "${word}")
        elseif(line)
            string(APPEND line " ${word}")
        else()
            set(line "${word}")
        endif()
    endforeach()
    string(APPEND CPACK_DEBIAN_PACKAGE_DESCRIPTION "${line}")
    include(CPack)
endfunction()
