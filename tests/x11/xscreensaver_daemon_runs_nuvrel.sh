#!/usr/bin/env bash
# XScreenSaver's own daemon runs the program as its display mode on two side-by-side heads:
# Xephyr with two 640x480 heads (Xinerama) inside an Xvfb display. The daemon starts one
# copy per head on "xscreensaver-command -activate", each head shows the vortex, and
# "-deactivate" ends both copies.
# The daemon refuses to start display modes as root: run as root, it and its commands run
# as nobody, with a home folder of their own.
# usage: xscreensaver_daemon_runs_nuvrel.sh NUVREL_PROGRAM ARTEFACT_DIR
set -euo pipefail
program=$1
artefacts=$2
# shellcheck source=../../cmake/xvfb.sh
source "$(dirname "$0")/../../cmake/xvfb.sh"

for tool in xscreensaver xscreensaver-command Xephyr import convert; do
    command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/install-deps.sh" >&2; exit 1; }
done

work=$(mktemp -d)
chmod 755 "$work"
cp "$program" "$work/nuvrel"
mkdir "$work/home"
as_user=()
if [[ $(id -u) -eq 0 ]]; then
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    chown 65534:65534 "$work/home"
fi
# shellcheck disable=SC1003 # XScreenSaver's continuation lines end in a backslash
printf '%s\n' \
    'mode:		one' 'selected:	0' 'lock:		False' 'splash:		False' \
    'fade:		False' 'unfade:		False' 'timeout:	0:30:00' \
    'programs:		\' "  GL: $work/nuvrel --root	\\n\\" '' >"$work/home/.xscreensaver"

xephyr_pid=''
daemon_pid=''
inner=''
finish() {
    if [[ -n $daemon_pid ]]; then
        saver_command -exit >/dev/null 2>&1 || true
        kill "$daemon_pid" 2>/dev/null || true
        wait "$daemon_pid" 2>/dev/null || true
    fi
    if [[ -n $xephyr_pid ]]; then
        kill "$xephyr_pid" 2>/dev/null || true
        wait "$xephyr_pid" 2>/dev/null || true
    fi
    stop_xvfb
    rm -rf "$work"
}
trap finish EXIT

saver_command() {
    DISPLAY=$inner HOME=$work/home "${as_user[@]}" xscreensaver-command "$@"
}

copies() {
    local count=0 args
    while read -r args; do
        [[ $args == "$work/nuvrel --root" ]] && count=$((count + 1))
    done < <(ps -e -o args=)
    echo "$count"
}

# Pixels of clear colour on a head (chroma, the largest channel less the smallest, at least
# 16 %), as the lit particles of the vortex give.
coloured_pixels() {
    convert "$work/screen.png" -crop "640x480+$1+0" +repage -colorspace HCL -channel G \
        -separate -threshold 16% -format '%[fx:round(mean*w*h)]' info:
}

unset DISPLAY
XVFB_SCREEN=1400x600x24 start_xvfb
fifo="$work/display"
mkfifo "$fifo"
Xephyr -displayfd 3 -screen 640x480 -screen 640x480 +xinerama -nolisten tcp 3>"$fifo" 2>/dev/null &
xephyr_pid=$!
read -r number <"$fifo"
inner=":$number"

DISPLAY=$inner HOME=$work/home "${as_user[@]}" xscreensaver -no-splash >"$work/daemon.log" 2>&1 &
daemon_pid=$!
for _ in $(seq 100); do
    saver_command -time >/dev/null 2>&1 && break
    sleep 0.2
done
saver_command -activate

# One copy per head, each showing the vortex once its first dark passes are over.
lit=0
for _ in $(seq 180); do
    sleep 0.5
    [[ $(copies) -eq 2 ]] || continue
    DISPLAY=$inner import -window root "$work/screen.png"
    left=$(coloured_pixels 0)
    right=$(coloured_pixels 640)
    if [[ $left -ge 200 && $right -ge 200 ]]; then
        lit=1
        break
    fi
done
cp "$work/screen.png" "$artefacts/x11_xscreensaver_two_heads.png" 2>/dev/null || true
echo "copies: $(copies); coloured pixels on the heads: ${left:-none} ${right:-none}"
if [[ $lit -ne 1 ]]; then
    echo "the daemon did not show the vortex on both heads" >&2
    pgrep -a -f "$work/nuvrel" >&2 || true
    cat "$work/daemon.log" >&2
    exit 1
fi
convert "$work/screen.png" -crop 640x480+0+0 +repage "$work/left.png"
convert "$work/screen.png" -crop 640x480+640+0 +repage "$work/right.png"
difference=$(compare -metric AE "$work/left.png" "$work/right.png" null: 2>&1 || true)
echo "pixels that differ between the heads: $difference"

saver_command -deactivate
for _ in $(seq 50); do
    [[ $(copies) -eq 0 ]] && break
    sleep 0.2
done
if [[ $(copies) -ne 0 ]]; then
    echo "deactivating left $(copies) copies running" >&2
    exit 1
fi
if grep -E 'nuvrel.*(exited|crashed|signal)' "$work/daemon.log" >&2; then
    echo "the daemon reports the display mode ending badly" >&2
    exit 1
fi
echo "activated: two copies, one per head; deactivated: none left"
