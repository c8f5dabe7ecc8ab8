#!/usr/bin/env bash
# Runs a Windows program under Wine:
#   wine-run.sh --arch win32|win64 --prefix DIR PROGRAM [ARGUMENTS...]
#   wine-run.sh --arch win32|win64 --prefix DIR --check   (can this machine run them?)
#
# The prefix is the build tree's own, made on first use. Wine stays quiet, never offers to
# install Mono or Gecko, and gets an Xvfb display of its own when none is set.
set -euo pipefail

usage() {
    echo "usage: wine-run.sh --arch win32|win64 --prefix DIR (PROGRAM [ARGUMENTS...] | --check)" >&2
    exit 2
}

[[ $# -ge 5 && $1 == --arch && $3 == --prefix ]] || usage
case $2 in
    win32) loader=/usr/lib/wine/wine ;;
    win64) loader=/usr/lib/wine/wine64 ;;
    *) usage ;;
esac
export WINEARCH=$2
export WINEPREFIX=$(realpath -m "$4")
shift 4

# A kernel without 32-bit user mode cannot start the 32-bit loader at all.
if [[ $1 == --check ]]; then
    exec "$loader" --version >/dev/null 2>&1
fi

export WINEDEBUG=${WINEDEBUG:--all}

# A Unix path as Windows programs see it, on drive Z:.
winepath_of() {
    local path
    path=$(realpath "$1")
    echo "Z:${path//\//\\}"
}
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"

source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
leave() {
    if [[ -n $xvfb_pid ]]; then
        # Wine's processes go first, while their display still exists.
        wineserver --wait 2>/dev/null || true
    fi
    stop_xvfb
}
trap leave EXIT
start_xvfb

# One prefix per build tree; parallel tests wait for whichever of them creates it. Windows'
# Japanese faces are mapped to the IPA fonts, which Wine would otherwise replace with a
# fallback that has no Latin letters.
mkdir -p "$(dirname "$WINEPREFIX")"
(
    flock 9
    if [[ ! -f $WINEPREFIX/.nuvrel-prefix-2 ]]; then
        "$loader" wineboot --init >/dev/null 2>&1 || true
        "$loader" regedit /S "$(winepath_of "$(dirname "${BASH_SOURCE[0]}")/wine-japanese-fonts.reg")" \
            >/dev/null 2>&1 || true
        wineserver --wait
        touch "$WINEPREFIX/.nuvrel-prefix-2"
    fi
) 9>"$WINEPREFIX.lock"

if [[ -z $xvfb_pid ]]; then
    # Keep the server alive a little between the many short runs of a test session. Wine's
    # helper processes live as long as the server: they are started here, with nothing of
    # our caller's, since a caller that reads our output would wait for them to close it.
    wineserver --persistent=10 </dev/null >/dev/null 2>&1 || true
    "$loader" cmd /c exit </dev/null >/dev/null 2>&1 || true
fi

status=0
"$loader" "$@" || status=$?
# 139 is Wine's own loader killed by SIGSEGV, seen once in a while as a test program exits
# after it has passed; a Windows program's own fault goes to Wine's exception handling and
# its debugger instead. Run it again.
if [[ $status -eq 139 ]]; then
    echo "wine-run.sh: Wine itself crashed (SIGSEGV); running the program once more" >&2
    status=0
    "$loader" "$@" || status=$?
fi
exit "$status"
