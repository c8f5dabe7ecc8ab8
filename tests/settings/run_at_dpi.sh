#!/usr/bin/env bash
# Runs a Windows test program on a desktop of the DPI given, in a Wine prefix of that DPI's
# own, so that the other tests keep theirs:
#   run_at_dpi.sh DPI PREFIX WINE-RUN ARCH PROGRAM [ARGUMENTS...]
# The prefix's HKCU\Control Panel\Desktop LogPixels is set, and the prefix's Wine server is
# ended so that the next program starts with it.
set -euo pipefail
[[ $# -ge 5 ]] || { echo "usage: run_at_dpi.sh DPI PREFIX WINE-RUN ARCH PROGRAM [ARGUMENTS...]" >&2; exit 2; }
dpi=$1 prefix=$2 wine_run=$3 arch=$4
shift 4

run() { "$wine_run" --arch "$arch" --prefix "$prefix" "$@"; }
end_server() { WINEPREFIX=$(realpath -m "$prefix") wineserver -k 2>/dev/null || true; WINEPREFIX=$(realpath -m "$prefix") wineserver -w 2>/dev/null || true; }

run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
end_server
status=0
NUVREL_EXPECTED_DPI=$dpi run "$@" || status=$?
end_server
exit "$status"
