#!/usr/bin/env bash
# Frame rate and processor use of both renderers, paced and uncapped, at 640x400 and
# 1920x1080 on Mesa's software OpenGL under Xvfb: the Windows renderer's own window and
# frame loop (renderer_loop) under Wine, and the Linux program. Each draws FRAMES frames;
# the frame rate is the program's own figure, the processor use that of the program and
# the processes it started (its Xvfb, and Wine's loader) over SECONDS in the middle of the
# run, in per cent of one core.
#   scripts/bench-renderer.sh [FRAMES] [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/windows-build.sh

frames=${1:-1500}
seconds=${2:-6}
build_windows renderer_loop
cmake --preset native >/dev/null
cmake --build --preset native --target nuvrel >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

descendants() {
    echo "$1"
    local child
    for child in $(pgrep -P "$1" || true); do
        descendants "$child"
    done
}

# Clock ticks used so far by a process and all its descendants.
tree_ticks() {
    local total=0 pid
    for pid in $(descendants "$1"); do
        if [[ -r /proc/$pid/stat ]]; then
            total=$((total + $(awk '{ print $14 + $15 }' "/proc/$pid/stat" 2>/dev/null || echo 0)))
        fi
    done
    echo "$total"
}

# Runs a command in the background and prints its processor use over $seconds, sampled
# after a start-up of 4 seconds; the command's output lands in $work/out.
processor_use() {
    "$@" >"$work/out" 2>/dev/null &
    local pid=$! before after
    sleep 4
    before=$(tree_ticks "$pid")
    sleep "$seconds"
    after=$(tree_ticks "$pid")
    if kill -0 "$pid" 2>/dev/null; then
        echo $(((after - before) * 100 / (seconds * $(getconf CLK_TCK))))
    else
        echo "? (ended early: more FRAMES)"
    fi
    wait "$pid" || true
}

frame_rate() {
    grep -o 'frame rate: *[0-9.]*' "$1" | grep -o '[0-9.]*$' || echo '-'
}

summary=()
for screen in 640x400 1920x1080; do
    for pace in paced uncapped; do
        option=()
        [[ $pace == paced ]] || option=(--uncapped)
        report="$work/report.txt"
        rm -f "$report"
        windows_cpu=$(processor_use env -u DISPLAY XVFB_SCREEN="${screen}x24" \
            cmake/wine-run.sh --arch "$wine_arch" --prefix "$build_dir/wine-prefix" \
            "$build_dir/bin/renderer_loop.exe" "${option[@]}" --frames "$frames" \
            --report "Z:${report//\//\\}")
        windows_rate=$(frame_rate "$report")
        linux_cpu=$(processor_use env XVFB_SCREEN="${screen}x24" tests/x11/with_xvfb.sh \
            build/native/bin/nuvrel -root "${option[@]}" --frames "$frames")
        linux_rate=$(frame_rate "$work/out")
        summary+=("$(printf '%-10s %-9s %12s %8s %12s %8s' "$screen" "$pace" \
            "$windows_rate" "$windows_cpu%" "$linux_rate" "$linux_cpu%")")
        echo "${summary[-1]}"
    done
done

echo "=== frames/s and processor use (% of one core)"
printf '%-10s %-9s %12s %8s %12s %8s\n' screen pace "Windows f/s" CPU "Linux f/s" CPU
printf '%s\n' "${summary[@]}"
