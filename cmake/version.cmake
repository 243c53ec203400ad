# The programs' version comes from one place: the project's version above, followed by the
# git revision when the tree is a git checkout ("5.6+git138.f96c8e6", ".dirty" with local
# changes). It is worked out again at every build, so a new commit shows without a new
# configure; the files it writes change only when the version does, so a build without a
# new commit rebuilds nothing.
set(ZEB_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
set(ZEB_VERSION_FILE ${ZEB_GENERATED_DIR}/version.txt)
set(ZEB_VERSION_SOURCE ${ZEB_GENERATED_DIR}/version.cpp)

find_package(Git QUIET)
add_custom_target(zeb_version_stamp
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DGIT=${GIT_EXECUTABLE}
            -DBASE_VERSION=${PROJECT_VERSION} -DOUT_DIR=${ZEB_GENERATED_DIR}
            -P ${CMAKE_CURRENT_LIST_DIR}/version_stamp.cmake
    BYPRODUCTS ${ZEB_VERSION_FILE} ${ZEB_VERSION_SOURCE}
    COMMENT "Version from the project and the git revision"
    VERBATIM)

add_library(zeb_version STATIC ${ZEB_VERSION_SOURCE})
set_target_properties(zeb_version PROPERTIES AUTOMOC OFF)
add_dependencies(zeb_version zeb_version_stamp)
target_include_directories(zeb_version PUBLIC ${CMAKE_SOURCE_DIR}/src)

foreach(program zeb zeb-cli zeb-sim)
    if(TARGET ${program})
        target_link_libraries(${program} PRIVATE zeb_version)
    endif()
endforeach()
# The About box shows it too.
if(TARGET zeb_app)
    target_link_libraries(zeb_app PUBLIC zeb_version)
endif()
