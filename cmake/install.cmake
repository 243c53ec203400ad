# Install rules: the programs, the menu entry with its icons, the manual pages, the language
# files and the licence, in the standard directories.
include(GNUInstallDirs)

set(ZEB_DIST_DIR ${CMAKE_SOURCE_DIR}/dist)
# Where the Debian package puts everything; the manual pages name its paths.
set(ZEB_PACKAGE_PREFIX /usr)

foreach(program zeb zeb-cli zeb-sim)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
        list(APPEND ZEB_PROGRAMS ${program})
    endif()
endforeach()

# Language files ship as examples: the program takes the first *.lng of its start directory,
# so one is used only when the operator copies it there.
file(GLOB ZEB_LANGUAGE_FILES CONFIGURE_DEPENDS ${ZEB_DIST_DIR}/*.lng)
install(FILES ${ZEB_LANGUAGE_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/zeb)
set(ZEB_MAN_LANGUAGE_FILES "")
set(ZEB_MAN_LANGUAGE_EXAMPLE "")
if(EXISTS ${ZEB_DIST_DIR}/English.lng)
    set(ZEB_MAN_LANGUAGE_FILES [=[
The package installs an English one as
.IR @ZEB_PACKAGE_PREFIX@/@CMAKE_INSTALL_DATADIR@/zeb/English.lng ;
copy it into the start directory to use it.
]=])
    set(ZEB_MAN_LANGUAGE_EXAMPLE [=[
.PP
Use the English texts:
.PP
.RS
.EX
cp @ZEB_PACKAGE_PREFIX@/@CMAKE_INSTALL_DATADIR@/zeb/English.lng \(ti/ZEB/
.EE
.RE
]=])
    string(CONFIGURE "${ZEB_MAN_LANGUAGE_FILES}" ZEB_MAN_LANGUAGE_FILES @ONLY)
    string(CONFIGURE "${ZEB_MAN_LANGUAGE_EXAMPLE}" ZEB_MAN_LANGUAGE_EXAMPLE @ONLY)
endif()

# Manual pages, compressed as Debian wants them (gzip -9n: no name, no time stamp).
find_program(GZIP_EXECUTABLE gzip REQUIRED)
set(ZEB_MAN_DIR ${CMAKE_BINARY_DIR}/generated/man)
foreach(program IN LISTS ZEB_PROGRAMS)
    configure_file(${ZEB_DIST_DIR}/man/${program}.1 ${ZEB_MAN_DIR}/${program}.1 @ONLY)
    add_custom_command(OUTPUT ${ZEB_MAN_DIR}/${program}.1.gz
        COMMAND ${GZIP_EXECUTABLE} -9nf -k ${program}.1
        DEPENDS ${ZEB_MAN_DIR}/${program}.1
        WORKING_DIRECTORY ${ZEB_MAN_DIR}
        VERBATIM)
    list(APPEND ZEB_MAN_PAGES ${ZEB_MAN_DIR}/${program}.1.gz)
endforeach()
add_custom_target(zeb_man_pages ALL DEPENDS ${ZEB_MAN_PAGES})
install(FILES ${ZEB_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The menu entry starts the program in ~/ZEB (see its Exec line), with an icon of its own:
# the SVG, and PNGs rendered from it at build time for desktops that want fixed sizes.
if(TARGET zeb)
    install(FILES ${ZEB_DIST_DIR}/zeb.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
    install(FILES ${ZEB_DIST_DIR}/icons/zeb.svg DESTINATION ${icons}/scalable/apps)
    find_program(RSVG_CONVERT rsvg-convert)
    if(RSVG_CONVERT)
        foreach(size 16 22 24 32 48 64 128 256)
            set(dir ${CMAKE_BINARY_DIR}/generated/icons/${size}x${size})
            add_custom_command(OUTPUT ${dir}/zeb.png
                COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
                COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${dir}/zeb.png
                        ${ZEB_DIST_DIR}/icons/zeb.svg
                DEPENDS ${ZEB_DIST_DIR}/icons/zeb.svg
                VERBATIM)
            list(APPEND ZEB_ICON_PNGS ${dir}/zeb.png)
            install(FILES ${dir}/zeb.png DESTINATION ${icons}/${size}x${size}/apps)
        endforeach()
        add_custom_target(zeb_icons ALL DEPENDS ${ZEB_ICON_PNGS})
    else()
        message(WARNING "rsvg-convert (Debian: librsvg2-bin) not found: "
                        "only the scalable icon is installed")
    endif()
endif()

install(FILES ${ZEB_DIST_DIR}/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Each manual page renders without a warning and names every option of its program's --help.
if(ZEB_BUILD_TESTS)
    foreach(program IN LISTS ZEB_PROGRAMS)
        add_test(NAME man_page.${program}
            COMMAND ${CMAKE_SOURCE_DIR}/tests/dist/man_page_test.sh ${ZEB_MAN_DIR}/${program}.1
                    $<TARGET_FILE:${program}>)
    endforeach()
endif()
