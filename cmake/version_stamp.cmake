# Run at build time (cmake -P): writes version.txt (one line, the version) and version.cpp
# (Version() returning it) into OUT_DIR, each only when its content changes.
# In: SOURCE_DIR, BASE_VERSION, OUT_DIR, GIT (empty when git is not installed).
set(version ${BASE_VERSION})
if(GIT)
    # Only a checkout of this very tree counts: a source archive unpacked inside some other
    # repository must not take that repository's revision.
    execute_process(COMMAND ${GIT} -C ${SOURCE_DIR} rev-parse --show-toplevel
        OUTPUT_VARIABLE top OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed
        ERROR_QUIET)
    if(NOT failed)
        file(REAL_PATH "${top}" top)
        file(REAL_PATH "${SOURCE_DIR}" source)
    endif()
    if(NOT failed AND top STREQUAL source)
        execute_process(COMMAND ${GIT} -C ${SOURCE_DIR} rev-list --count HEAD
            OUTPUT_VARIABLE count OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        execute_process(COMMAND ${GIT} -C ${SOURCE_DIR} rev-parse --short=7 HEAD
            OUTPUT_VARIABLE hash OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        # The count first, so that later commits of a branch sort as later package versions.
        if(count MATCHES "^[0-9]+$" AND hash MATCHES "^[0-9a-f]+$")
            set(version "${version}+git${count}.${hash}")
            execute_process(COMMAND ${GIT} -C ${SOURCE_DIR} diff --quiet HEAD --
                RESULT_VARIABLE changed ERROR_QUIET)
            if(changed)
                set(version "${version}.dirty")
            endif()
        endif()
    endif()
endif()

file(CONFIGURE OUTPUT ${OUT_DIR}/version.txt CONTENT "${version}\n" @ONLY)
file(CONFIGURE OUTPUT ${OUT_DIR}/version.cpp CONTENT [[
// Written by cmake/version_stamp.cmake at build time.
#include "version/version.h"

namespace zeb {

const char* Version() {
    return "@version@";
}

} // namespace zeb
]] @ONLY)
