# Run at build time (cmake -P): writes the package's changelog, gzip -9n, into OUT.
# In: SOURCE_DIR, GIT, VERSION_FILE, MAINTAINER, GZIP, OUT.
file(STRINGS ${VERSION_FILE} version LIMIT_COUNT 1)
# The date of the commit built, so the same commit gives the same file; the time of the
# build only for sources outside a checkout.
set(date "")
if(GIT AND version MATCHES "\\+git")
    execute_process(COMMAND ${GIT} -C ${SOURCE_DIR} log -1 --format=%aD
        OUTPUT_VARIABLE date OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
if(NOT date)
    string(TIMESTAMP date "%a, %d %b %Y %H:%M:%S +0000" UTC)
endif()
file(WRITE ${OUT}.txt "zeb (${version}) unstable; urgency=medium

  * Version ${version} of ZEB, built from its sources.

 -- ${MAINTAINER}  ${date}
")
execute_process(COMMAND ${GZIP} -9nc ${OUT}.txt OUTPUT_FILE ${OUT} RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "gzip failed on ${OUT}.txt")
endif()
