#!/usr/bin/env bash
# Frame rate of the scene on Mesa's software OpenGL under Xvfb, at 1920x1080 and 1280x720:
# the Windows renderer's drawing code under Wine (with the time of a frame split into
# simulation and OpenGL work) beside the Linux program, each on a screen of its own.
# Both draw FRAMES frames past the fade-in and are timed over the next FRAMES.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/windows-build.sh

frames=${1:-300}
build_windows renderer_fps
cmake --preset native >/dev/null
cmake --build --preset native --target nuvrel >/dev/null

frame_rate() {
    grep -o 'frame rate: *[0-9.]*' | grep -o '[0-9.]*$'
}

summary=()
for screen in 1920x1080 1280x720; do
    echo "=== $screen"
    echo "--- Windows renderer (Wine)"
    windows=$(env -u DISPLAY XVFB_SCREEN="${screen}x24" \
        cmake/wine-run.sh --arch "$wine_arch" --prefix "$build_dir/wine-prefix" \
        "$build_dir/bin/renderer_fps.exe" "$frames")
    echo "$windows"
    echo "--- Linux program (nuvrel -root)"
    linux=$(XVFB_SCREEN="${screen}x24" tests/x11/with_xvfb.sh \
        build/native/bin/nuvrel -root --frames $((2 * frames)))
    echo "$linux"
    summary+=("$(printf '%-10s %10s %10s' "$screen" "$(frame_rate <<<"$windows")" \
        "$(frame_rate <<<"$linux")")")
done

echo "=== frames/s"
printf '%-10s %10s %10s\n' screen Windows Linux
printf '%s\n' "${summary[@]}"
