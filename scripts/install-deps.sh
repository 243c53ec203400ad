#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, only those missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-serialport-dev libqt6serialport6
    libgtest-dev libgmock-dev libbenchmark-dev
    clang-format
    # The fuzz targets: clang, and its runtime libraries, among them libFuzzer's
    # (libclang-rt-dev brings those of Debian's default clang: libclang-rt-14-dev on 12).
    clang libclang-rt-dev
    xvfb xauth fonts-dejavu-core
    # Qt's own Russian for the standard buttons and file dialogs.
    qt6-translations-l10n
)

# The Debian package and its checks: dpkg-shlibdeps finds its dependencies (with file),
# rsvg-convert renders the icon's sizes, and scripts/check-package.sh uses the rest.
packages+=(dpkg-dev file librsvg2-bin lintian desktop-file-utils man-db)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
