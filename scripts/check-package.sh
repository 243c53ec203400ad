#!/usr/bin/env bash
# Checks the Debian package that "cmake --build BUILD --target package" made from this tree:
# its fields and file list, the programs run from the unpacked package, the menu entry, the
# manual pages, and lintian.
#
#   scripts/check-package.sh [BUILD]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

version=$(cat "$build/generated/version.txt")
deb=$build/zeb_${version}_$(dpkg --print-architecture).deb
passed=0
failed=0
check() { # check WHAT COMMAND...: runs the command, counts and tells the outcome
    local what=$1
    shift
    if out=$("$@" 2>&1); then
        passed=$((passed + 1))
        echo "ok: $what"
    else
        failed=$((failed + 1))
        echo "FAILED: $what"
        [ -n "$out" ] && sed 's/^/    /' <<<"$out"
    fi
    return 0
}
[ -f "$deb" ] || { echo "FAILED: no package $deb"; exit 1; }
echo "$deb ($(stat -c %s "$deb") bytes)"

info=$(dpkg-deb --info "$deb")
field() { sed -n "s/^ $1: //p" <<<"$info"; }
check "the package's name, version and architecture" \
    test "$(field Package) $(field Version) $(field Architecture)" = \
    "zeb $version $(dpkg --print-architecture)"
check "a maintainer line" grep -qE '^ Maintainer: .+ <.+@.+>$' <<<"$info"
check "the description tells about the serial port's group" grep -q dialout <<<"$info"
# dpkg-shlibdeps found the libraries: the Qt ones and the C library, with their versions.
check "dependencies from the libraries the programs use" \
    grep -qE '^ Depends: .*libc6 \(>= .*libqt6core6 \(>= .*libqt6serialport6 \(>= .*libqt6widgets6' \
    <<<"$info"

contents=$(dpkg-deb --contents "$deb" | awk '{ print $6 }' | sed 's|^\./||')
wanted=(
    usr/bin/zeb usr/bin/zeb-cli usr/bin/zeb-sim
    usr/share/applications/zeb.desktop
    usr/share/icons/hicolor/scalable/apps/zeb.svg
    usr/share/man/man1/zeb.1.gz usr/share/man/man1/zeb-cli.1.gz usr/share/man/man1/zeb-sim.1.gz
    usr/share/doc/zeb/copyright usr/share/doc/zeb/changelog.gz
)
for size in 16 22 24 32 48 64 128 256; do
    wanted+=("usr/share/icons/hicolor/${size}x${size}/apps/zeb.png")
done
for language in dist/*.lng; do
    [ -e "$language" ] && wanted+=("usr/share/zeb/$(basename "$language")")
done
holds_wanted() {
    local file status=0
    for file in "${wanted[@]}"; do
        grep -qxF "$file" <<<"$contents" || { echo "missing: $file"; status=1; }
    done
    return $status
}
check "the package holds ${#wanted[@]} files: programs, menu entry, icons, manual pages" \
    holds_wanted

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
bin=$unpacked/usr/bin
check "zeb-cli --version from the package" \
    test "$("$bin/zeb-cli" --version)" = "zeb-cli (ZEB) $version"
check "zeb-cli --help from the package" "$bin/zeb-cli" --help
for program in zeb zeb-sim; do
    check "$program --version from the package, without a display" \
        test "$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$bin/$program" --version)" \
        = "$program (ZEB) $version"
done
check "desktop-file-validate on the menu entry" \
    desktop-file-validate "$unpacked/usr/share/applications/zeb.desktop"
for page in "$unpacked"/usr/share/man/man1/*.1.gz; do
    check "$(basename "$page") renders without warnings" \
        bash -c '! LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$1" 2>&1 >/dev/null | grep .' \
        _ "$page"
done
# Warnings too fail the check; the tags left on purpose are overridden in the package, each
# with its reason (dist/debian/lintian-overrides).
check "lintian" lintian --fail-on error,warning --no-tag-display-limit "$deb"

echo "package checks: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
