#!/usr/bin/env bash
# Installs what is missing, builds, checks the formatting and runs every test: once in a
# normal build, once under AddressSanitizer and UndefinedBehaviorSanitizer; then the fuzz
# targets of the file readers, each for a fixed number of runs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== Formatting"
git ls-files -co --exclude-standard -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' \
    | xargs -r clang-format --dry-run --Werror

echo "== Build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEB_WERROR=ON >/dev/null
cmake --build build -j "$jobs"

echo "== Tests"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== Without the window: the core, zeb-cli, zeb-sim and their tests (ZEB_GUI=OFF)"
cmake -S . -B build-nogui -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEB_GUI=OFF \
    -DZEB_BUILD_BENCH=OFF -DZEB_WERROR=ON >/dev/null
cmake --build build-nogui -j "$jobs"
for program in build-nogui/zeb-cli build-nogui/zeb-sim \
    $(find build-nogui/tests -maxdepth 1 -type f -executable -name 'test_*'); do
    if readelf -d "$program" | grep -q 'libQt6Widgets'; then
        echo "$program needs Qt Widgets although the window is not built" >&2
        exit 1
    fi
done
ctest --test-dir build-nogui --output-on-failure -j "$jobs"

echo "== Debian package"
started=$SECONDS
rm -f build/zeb_*.deb
cmake --build build -j "$jobs" --target package
scripts/check-package.sh build
echo "(package and its checks: $((SECONDS - started)) s)"

echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZEB_SANITIZE=ON \
    -DZEB_BUILD_BENCH=OFF -DZEB_WERROR=ON >/dev/null
cmake --build build-asan -j "$jobs"
. scripts/sanitizer-options.sh
ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== Fuzz targets: their seed corpus, then a fixed number of runs from a fixed seed"
scripts/fuzz.sh --ci

echo "== All tests passed"
