# The Debian package: cmake --build build --target package.
# Its version is the programs' own (cmake/version.cmake), read when the package is made, so
# a package always carries the version that its programs print.
set(ZEB_PACKAGE_MAINTAINER "ZEB maintainers <maintainers@zeb.example.org>"
    CACHE STRING "The package's Maintainer line: a role and an address, not a person")

# The changelog that Debian wants beside the copyright: one entry naming the version built.
set(ZEB_CHANGELOG ${ZEB_GENERATED_DIR}/changelog.gz)
add_custom_command(OUTPUT ${ZEB_CHANGELOG}
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DGIT=${GIT_EXECUTABLE}
            -DVERSION_FILE=${ZEB_VERSION_FILE} -DMAINTAINER=${ZEB_PACKAGE_MAINTAINER}
            -DGZIP=${GZIP_EXECUTABLE} -DOUT=${ZEB_CHANGELOG}
            -P ${CMAKE_CURRENT_LIST_DIR}/package_changelog.cmake
    DEPENDS ${ZEB_VERSION_FILE} ${CMAKE_CURRENT_LIST_DIR}/package_changelog.cmake
    VERBATIM)
add_custom_target(zeb_changelog ALL DEPENDS ${ZEB_CHANGELOG})
add_dependencies(zeb_changelog zeb_version_stamp)
install(FILES ${ZEB_CHANGELOG} DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Hardening, as Debian builds its packages: fortified libc calls where the optimiser runs
# (they need it), and a read-only GOT. The Debug builds (the sanitizer one) keep their flags.
get_property(zeb_targets DIRECTORY PROPERTY BUILDSYSTEM_TARGETS)
foreach(target IN LISTS zeb_targets)
    get_target_property(type ${target} TYPE)
    if(type MATCHES "^(STATIC_LIBRARY|EXECUTABLE)$")
        target_compile_options(${target} PRIVATE
            "$<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
    endif()
    if(type STREQUAL "EXECUTABLE")
        target_link_options(${target} PRIVATE "LINKER:-z,relro,-z,now")
    endif()
endforeach()

# Stripped as dh_strip strips: no symbols, and none of the compiler's .comment and .note.
set(CPACK_STRIP_FILES ON)
string(CONFIGURE [[
    if(CMAKE_INSTALL_DO_STRIP)
        foreach(program zeb zeb-cli zeb-sim)
            set(file "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/@CMAKE_INSTALL_BINDIR@/${program}")
            if(EXISTS "${file}")
                execute_process(COMMAND "@CMAKE_STRIP@" --remove-section=.comment
                                        --remove-section=.note "${file}")
            endif()
        endforeach()
    endif()
]] strip_more @ONLY)
install(CODE "${strip_more}")
install(FILES ${ZEB_DIST_DIR}/debian/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME zeb)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zeb)
set(CPACK_PACKAGE_VENDOR "The ZEB developers")
set(CPACK_PACKAGE_CONTACT ${ZEB_PACKAGE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX ${ZEB_PACKAGE_PREFIX})
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ZEB_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# The libraries the programs link come from dpkg-shlibdeps. The one thing it cannot see is
# the window system's plugin, which Qt loads at run time: without it the window cannot open.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
# Qt's own Russian for the standard buttons and file dialogs; without it they are English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "control program of an impact engraving machine")
# The body; cpack puts the summary above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [[
ZEB drives a semi-automatic impact engraving machine over a serial line: a
needle on two axes strikes a photo or a lettering into stone or metal, dot by
dot, at four strike strengths. It converts the picture into a halftone dot
picture, places it on the work field, plans and streams the moves and strike
lines, shows the progress and the completion time, pauses, runs a second pass
and finishes jobs that a power cut or a lost link interrupted.
.
The package holds the desktop program zeb (Russian texts, which a language
file can replace), zeb-cli, the same core without a window for scripts and
service work, and zeb-sim, a virtual controller on a pseudo-terminal to learn
and test without a machine.
.
The serial port needs access rights: add each operator to the group that owns
the port, on Debian the group dialout (adduser NAME dialout, then log in
again).]])

# Read by cpack when it makes the package: the version as the build left it.
set(CPACK_ZEB_VERSION_FILE ${ZEB_VERSION_FILE})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/package_version.cmake)
include(CPack)
