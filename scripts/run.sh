#!/usr/bin/env bash
# Installs what is missing, builds and starts ZEB.
#
#   scripts/run.sh                  the demo: ZEB on the virtual controller, in demo/
#   scripts/run.sh --machine [DIR]  ZEB for a real machine, in DIR (default: the current
#                                   directory), on the port its Zeb.ini names
#
# The demo keeps its own settings, plans and recovery file in demo/, so the operator's real
# ones are never touched. What each session strikes goes to files of its own, named by the
# start time (demo/sessions/), so a session resumed after a crash never overwrites the record
# of the one that was interrupted. ZEB_SIM_TIME_SCALE (default 1: the machine's own pace)
# speeds the virtual machine up (0.1) or makes it instant (0).
set -euo pipefail
caller_dir=$PWD
cd "$(dirname "$0")/.."
root=$PWD

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target zeb zeb-sim zeb-cli

# Without a display (a headless server), the window opens on a virtual one.
run_window() {
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        "$@"
    else
        echo "No display: ZEB runs on a virtual X display (xvfb-run)."
        xvfb-run -a -s "-screen 0 1280x800x24" "$@"
    fi
}

if [ "${1:-}" = "--machine" ]; then
    work_dir=${2:-$caller_dir}
    cd "$work_dir"
    echo "ZEB in $PWD, on the port that Zeb.ini names."
    run_window "$root/build/zeb"
    exit
fi

demo=$root/demo
session=$demo/sessions/$(date +%Y%m%d-%H%M%S)
mkdir -p "$demo/sessions"
rm -f "$demo/port"
"$root/build/zeb-sim" --link "$demo/port" --time-scale "${ZEB_SIM_TIME_SCALE:-1}" \
    --state "$demo/controller.state" --workpiece "$session-workpiece.png" \
    --strikes "$session-strikes.csv" >"$session-zeb-sim.out" 2>"$session-zeb-sim.log" &
sim=$!
trap 'kill "$sim" 2>/dev/null || true; wait "$sim" 2>/dev/null || true' EXIT
for _ in $(seq 100); do
    [ -e "$demo/port" ] && break
    sleep 0.05
done
[ -e "$demo/port" ] || { echo "The virtual controller did not start; see $session-zeb-sim.log"; exit 1; }

cd "$demo"
"$root/build/zeb-cli" settings --port "$demo/port" >/dev/null
echo "ZEB in $demo on the virtual controller ($demo/port)."
echo "What it strikes: $session-strikes.csv, and $session-workpiece.png when ZEB closes."
echo "The virtual machine runs at the machine's own pace; ZEB_SIM_TIME_SCALE=0.1 makes it ten times faster."
run_window "$root/build/zeb"
