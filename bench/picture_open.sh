#!/usr/bin/env bash
# Speed and memory of opening a photo: the program's Open of a 12- and a 2-megapixel JPEG in
# both conversions, against ImageMagick's Floyd-Steinberg dither of the same files timed in
# the same run, and the peak memory of one Open per picture and mode.
#
#   bench/picture_open.sh [BUILD_DIR]      (default: build-bench, a Release build)
#
# ImageMagick is installed here when missing; it serves only this comparison.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-bench}
photos=$build/bench-photos
magick=/usr/bin/convert # the real tool; another "convert" may stand first on PATH

if [ ! -x "$magick" ]; then
    echo "== installing imagemagick for the comparison"
    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq imagemagick
fi

echo "== building bench_picture_open (Release) in $build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZEB_BUILD_TESTS=OFF >/dev/null
ninja -C "$build" -j2 bench_picture_open >/dev/null
bench=$build/bench/bench_picture_open
mkdir -p "$photos"
"$bench" --make-photos "$photos" 2>/dev/null

echo "== machine: $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"

dither() { # PHOTO: three timed runs of the dither, wall seconds and peak KiB each
    for run in 1 2 3; do
        /usr/bin/time -f "imagemagick dither $1: %e s wall, %U s user, %S s sys, peak %M KiB" \
            "$magick" "$photos/$1" -colorspace gray -dither FloydSteinberg -monochrome \
            "$photos/dither-$run.bmp"
    done
}

dither photo12.jpg
dither photo2.jpg

echo "== the program's Open, three repetitions"
ZEB_BENCH_PHOTOS=$photos "$bench" --benchmark_repetitions=3 \
    --benchmark_report_aggregates_only=true 2>/dev/null

echo "== peak memory of one Open (a fresh process each)"
for photo in photo12.jpg photo2.jpg; do
    for mode in combined diffusion; do
        "$bench" --peak-open "$photos/$photo" "$mode" 2>/dev/null
    done
done

dither photo12.jpg
echo "== load now $(cut -d' ' -f1-3 /proc/loadavg)"
