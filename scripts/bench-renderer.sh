#!/usr/bin/env bash
# Frame rate of the renderer's scene on Mesa's software OpenGL under Xvfb, at 1920x1080 and
# 1280x720, with the time of a frame split into simulation and OpenGL work.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/windows-build.sh

frames=${1:-300}
build_windows renderer_fps
for screen in 1920x1080 1280x720; do
    echo "=== $screen"
    env -u DISPLAY XVFB_SCREEN="${screen}x24" \
        cmake/wine-run.sh --arch "$wine_arch" --prefix "$build_dir/wine-prefix" \
        "$build_dir/bin/renderer_fps.exe" "$frames"
done
