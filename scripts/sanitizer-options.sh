# Sourced by scripts/test.sh and scripts/fuzz.sh: the sanitizer options of every run under
# AddressSanitizer and UndefinedBehaviorSanitizer, tests and fuzz targets alike.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
# The leak check's walk of the main thread's dynamic TLS crashes in some picture-reading
# test processes (a bogus entry; the tracer dies with signal 11 after the test passed).
# Without TLS as roots the check can only report more, never hide a leak.
export LSAN_OPTIONS=use_tls=0:suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
