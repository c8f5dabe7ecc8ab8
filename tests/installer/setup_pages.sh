#!/usr/bin/env bash
# The setup program as a user goes through it, with the Enter key, on desktops of 96 and
# 144 dpi: a screenshot of each page is saved, the window grows with the DPI (with the
# font, about 1.4 times from 96 to 144 dpi), and the finish page's "Make Nuvrel my screen
# saver", checked unless the user unchecks it, sets SCRNSAVE.EXE. Run again while another
# program holds Nuvrel.dll, Setup asks to retry (screenshot), and Escape ends it with exit
# code 2, the programs unchanged.
#   setup_pages.sh WINE-RUN PREFIX SETUP-EXE OUTPUT-DIR HOLDS-FILE-EXE
# Exit code 77: this machine cannot start 32-bit Windows programs.
set -euo pipefail
[[ $# -eq 5 ]] || { echo "usage: setup_pages.sh WINE-RUN PREFIX SETUP-EXE OUTPUT-DIR HOLDS-FILE-EXE" >&2; exit 2; }
wine_run=$1 prefix=$(realpath -m "$2") setup=$(realpath "$3") output_dir=$4 holds_file=$5

if ! "$wine_run" --arch win32 --prefix "$prefix" --check; then
    echo "SKIPPED: Wine cannot start 32-bit programs on this machine (no 32-bit user mode" \
        "in its kernel), and the setup program is one"
    exit 77
fi

source "$(dirname "${BASH_SOURCE[0]}")/wine_desktop.sh"

run() { "$wine_run" --arch win32 --prefix "$prefix" "$@"; }
desktop_key='HKCU\Control Panel\Desktop'
mkdir -p "$output_dir"

# Waits until the window's picture stops changing, then saves it.
screenshot() {
    local window=$1 file=$2 previous=
    for _ in $(seq 20); do
        sleep 0.5
        import -window "$window" "$file.tmp.png"
        current=$(md5sum <"$file.tmp.png")
        [[ $current == "$previous" ]] && break
        previous=$current
    done
    mv "$file.tmp.png" "$file"
    echo "saved $file"
}

press_enter() {
    xdotool mousemove --window "$1" 5 5
    xdotool key Return
}

# Installs at the given DPI; prints the window's width.
install_at() {
    local dpi=$1 window width
    wineserver -k 2>/dev/null || true
    rm -rf "$prefix" "$prefix.lock"
    run reg add "$desktop_key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true

    run "$setup" &
    local setup_pid=$!
    window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Nuvrel Setup$' | head -n 1) ||
        fail "no window \"Nuvrel Setup\" at $dpi dpi"
    width=$(xdotool getwindowgeometry --shell "$window" | sed -n 's/^WIDTH=//p')

    screenshot "$window" "$output_dir/setup-$dpi-dpi-1-welcome.png"
    # No folder page: the files are copied, then the finish page follows by itself.
    press_enter "$window"
    for _ in $(seq 120); do
        [[ -f "$prefix/drive_c/Program Files/Nuvrel/Uninstall.exe" ]] && break
        sleep 0.5
    done
    screenshot "$window" "$output_dir/setup-$dpi-dpi-2-finish.png"
    [[ -z $(run reg query "$desktop_key" /v SCRNSAVE.EXE 2>/dev/null | tr -d '\r' | grep SCRNSAVE) ]] ||
        fail "SCRNSAVE.EXE was set before the finish page was left"
    press_enter "$window"
    timeout 60 tail --pid="$setup_pid" -f /dev/null || fail "setup still running after Finish"
    wait "$setup_pid" || fail "setup ended with exit code $?"
    run reg query "$desktop_key" /v SCRNSAVE.EXE 2>/dev/null | tr -d '\r' | grep -q 'Nuvrel\.scr$' ||
        fail "the finish page's check box did not make Nuvrel the screen saver at $dpi dpi"
    echo "$width" >"$output_dir/width-$dpi"
}

install_at 96
install_at 144
narrow=$(cat "$output_dir/width-96") wide=$(cat "$output_dir/width-144")
echo "window width: $narrow pixels at 96 dpi, $wide at 144 dpi"
# Dialog units follow the font, whose average width grows a little less than the DPI.
((wide * 100 >= narrow * 135 && wide * 100 <= narrow * 160)) ||
    fail "the window is $narrow pixels wide at 96 dpi and $wide at 144 dpi"

# The install of 144 dpi, while another program holds Nuvrel.dll.
programs=$prefix/drive_c/windows/system32/Nuvrel
before=$(cat "$programs.scr" "$programs.dll" | md5sum)
run "$holds_file" 'C:\windows\system32\Nuvrel.dll' >/dev/null &
timeout 30 xdotool search --sync --name '^Nuvrel test box [0-9]+$' >/dev/null || fail "no holds_file"
run "$setup" &
setup_pid=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Nuvrel Setup$' | head -n 1) ||
    fail "no window \"Nuvrel Setup\""
sleep 1
press_enter "$window"
message=
for _ in $(seq 60); do
    message=$(xdotool search --onlyvisible --name '^Nuvrel Setup$' | grep -vx "$window" | head -n 1) && break
    sleep 0.5
done
[[ -n $message ]] || fail "no message about Nuvrel.dll in use"
screenshot root "$output_dir/setup-144-dpi-3-file-in-use.png"
xdotool mousemove --window "$message" 5 5
xdotool key Escape
timeout 30 tail --pid="$setup_pid" -f /dev/null || fail "setup still running after Escape"
status=0
wait "$setup_pid" || status=$?
[[ $status -eq 2 ]] || fail "setup cancelled with Nuvrel.dll in use: exit code $status, not 2"
[[ $(cat "$programs.scr" "$programs.dll" | md5sum) == "$before" ]] || fail "the programs changed"
