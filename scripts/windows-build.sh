# Sourced by the scripts that run Windows programs: picks the build this machine can run,
# the shipped 32-bit one where Wine can start 32-bit programs, else the 64-bit test build,
# and builds targets of it on request.

if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    preset=windows
    wine_arch=win32
else
    preset=windows64
    wine_arch=win64
fi
build_dir=$PWD/build/$preset

build_windows() {
    scripts/install-deps.sh
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --target "$@" >/dev/null
}
