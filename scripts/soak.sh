#!/usr/bin/env bash
# A long run of the screensaver, as it runs for hours on a real machine:
#   scripts/soak.sh [MINUTES]        (default 10; not part of the test command)
#
# Runs Nuvrel.scr /s under Wine on an Xvfb display of its own, with a short MP3 as the
# background music through ALSA's null device, for MINUTES minutes. Then a key press ends
# the renderer as a user's would, and the script reports:
#   - the replays heard: how often the MP3 was restarted after its end and then found playing;
#   - for the front end and the renderer, at the start, every minute and at the end: private
#     memory, handles, GDI objects and the windows they own (Wine has no figure for USER
#     objects other than windows);
#   - whether both ended, with exit code 0, on the key.
# It exits with 1 when any count grew or a program did not end cleanly.
#
# How the figures are taken, from outside the shipped programs (nothing in them is changed
# for this):
#   - Replays: the front end's MP3 alias belongs to its process, so no other program can
#     ask it for its mode. Wine's "mci" trace channel, switched on for the front end alone,
#     logs each command the front end sends and each answer it gets. A replay is counted when
#     a "play MP3Play from 0" is followed by a "status MP3Play mode" answered "playing": the
#     front end's own once-a-second check then heard the music again.
#   - Handles, GDI objects and windows: tests/support/soak_probe.cpp, a Windows program that
#     finds both processes by their window titles ("Nuvrel_Main", "Nuvrel_VC").
#   - Private memory: Wine answers 0 for another process's private bytes, so it is read from
#     the host's /proc for the two Wine processes: RssAnon (private memory in use) and
#     VmData (private memory committed).
set -euo pipefail

usage() {
    echo "usage: soak.sh [MINUTES]" >&2
    exit 2
}
minutes=${1:-10}
[[ $minutes =~ ^[1-9][0-9]*$ ]] || usage

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# The shipped 32-bit programs where this machine runs 32-bit Wine, else the 64-bit build.
if "$root/cmake/wine-run.sh" --arch win32 --prefix "$root/build/windows/wine-prefix" --check; then
    preset=windows arch=win32 loader=/usr/lib/wine/wine
else
    preset=windows64 arch=win64 loader=/usr/lib/wine/wine64
fi
build=$root/build/$preset
echo "Building the $preset programs..."
[[ -f $build/CMakeCache.txt ]] || cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target Nuvrel NuvrelScreensaver soak_probe >/dev/null

work=$(mktemp -d /tmp/nuvrel-soak.XXXXXX)
source "$root/cmake/xvfb.sh"
unset DISPLAY
frontend_pid=
finish() {
    [[ -z $frontend_pid ]] || kill "$frontend_pid" 2>/dev/null || true
    WINEPREFIX=$work/prefix wineserver -k 2>/dev/null || true
    stop_xvfb
    rm -rf "$work"
}
trap finish EXIT
start_xvfb

# The programs as installed, a tone of a second and a half, and the settings that play it.
cp "$build/bin/Nuvrel.scr" "$build/bin/Nuvrel.dll" "$work/"
sox -n -r 44100 -c 1 "$work/tone.wav" synth 1.5 sine 440
lame --quiet -b 64 "$work/tone.wav" "$work/tone.mp3"
mp3_path="Z:${work//\//\\}\\tone.mp3"
printf '[Section]\r\nBGM区分=2\r\nBGMﾘﾋﾟｰﾄ=0\r\nBGMﾌｧｲﾙ=%s\r\n' "$mp3_path" |
    iconv -f UTF-8 -t CP932 >"$work/Nuvrel.ini"
echo 'pcm.!default { type null }' >"$work/alsa-null.conf"

echo "Making a Wine prefix of its own..."
"$root/cmake/wine-run.sh" --arch "$arch" --prefix "$work/prefix" cmd /c exit >/dev/null 2>&1
export WINEARCH=$arch WINEPREFIX=$work/prefix WINEDLLOVERRIDES="mscoree,mshtml="
export ALSA_CONFIG_PATH=$work/alsa-null.conf

# The renderer is a Wine process whose command line names its file in the soak's folder.
renderer_unix_pid() {
    local dir
    for dir in /proc/[0-9]*; do
        if tr '\0' ' ' 2>/dev/null <"$dir/cmdline" | grep -qF "${work##*/}\\Nuvrel.dll"; then
            echo "${dir#/proc/}"
            return
        fi
    done
}
# RssAnon and VmData of a Unix process, in kB: like the probe's figures, the least of readings
# over 2.4 seconds, since the music's player holds its buffers only while it plays.
memory_of() {
    local reading
    for reading in 1 2 3 4 5 6 7 8; do
        cat "/proc/$1/status" 2>/dev/null
        sleep 0.3
    done | awk '/^RssAnon:/ && (rss == "" || $2 < rss) { rss = $2 }
                /^VmData:/ && (data == "" || $2 < data) { data = $2 }
                END { printf "rss_anon_kB=%s vm_data_kB=%s", rss, data }'
}

echo "Running the screensaver for $minutes minutes (display $DISPLAY)..."
WINEDEBUG=-all,+mci "$loader" "$work/Nuvrel.scr" /s 2>"$work/mci.log" &
frontend_pid=$!

: >"$work/samples.txt"
renderer_pid=
while IFS= read -r line; do
    line=${line%$'\r'}
    case $line in
        sample*Nuvrel_Main*) line+=" $(memory_of "$frontend_pid")" ;;
        sample*Nuvrel_VC*)
            [[ -n $renderer_pid ]] || renderer_pid=$(renderer_unix_pid)
            line+=" $(memory_of "$renderer_pid")"
            ;;
    esac
    echo "$line" | tee -a "$work/samples.txt"
done < <(WINEDEBUG=-all "$loader" "$build/bin/soak_probe.exe" "$minutes" 2>/dev/null)

frontend_status=0
wait "$frontend_pid" || frontend_status=$?
frontend_pid=

# Replays: a restart followed by a mode answer of "playing".
replays=$(grep -E 'mciSendStringW \(L"|mciSendStringW => 2/' "$work/mci.log" | awk '
    /\(L"play MP3Play from 0"/ { restarted = 1; next }
    /\(L"status MP3Play mode"/ { asked = 1; next }
    /=> 2\// { if (asked && restarted && /L"playing"/) { replays++; restarted = 0 } asked = 0 }
    END { print replays + 0 }')
restarts=$(grep -c '(L"play MP3Play from 0"' "$work/mci.log" || true)

figure() {  # figure LABEL TITLE NAME
    grep "^sample $1 $2 " "$work/samples.txt" | tr ' ' '\n' | sed -n "s/^$3=//p"
}
# Memory moves by a few pages either way, and the allocators of the C runtime, Wine and the
# OpenGL driver grow their pools in steps of a hundred kB or two; a leak of 32 bytes a frame
# would add a megabyte in ten minutes. The minute-by-minute samples above show the trend.
memory_noise_kB=1024
faults=0
echo
echo "Soak of $minutes minutes ($preset build, $("$loader" --version 2>/dev/null || echo Wine))"
echo "MP3 replays heard: $replays (restarts sent: $restarts; a 1.5 s tone polled once a second)"
printf '%-10s %-14s %12s %12s\n' process figure start end
for title in Nuvrel_Main Nuvrel_VC; do
    name=$([[ $title == Nuvrel_Main ]] && echo "front end" || echo renderer)
    for what in rss_anon_kB vm_data_kB handles gdi windows user; do
        start=$(figure start "$title" "$what")
        end=$(figure end "$title" "$what")
        mark=
        if [[ -z $start || -z $end ]]; then
            mark="  (no figure)"
            faults=1
        elif [[ $what == *_kB ]] && ((end > start + memory_noise_kB)); then
            mark="  grew by $((end - start)) kB"
            faults=1
        elif [[ $what == *_kB ]] && ((end > start)); then
            mark="  +$((end - start)) kB (within the allocators' steps)"
        elif ((end > start)); then
            mark="  grew by $((end - start))"
            faults=1
        fi
        printf '%-10s %-14s %12s %12s%s\n' "$name" "$what" "$start" "$end" "$mark"
    done
done
renderer_exit=$(sed -n 's/^exit Nuvrel_VC //p' "$work/samples.txt")
frontend_exit=$(sed -n 's/^exit Nuvrel_Main //p' "$work/samples.txt")
echo "Ended on the key: renderer ${renderer_exit:-not seen}, front end ${frontend_exit:-not seen}" \
    "(wine's exit status for the front end: $frontend_status)"
if [[ $renderer_exit != 0 || $frontend_exit != 0 || $frontend_status != 0 ]]; then
    faults=1
fi
if ((replays < minutes * 60 / 3)); then
    echo "Too few replays for $minutes minutes"
    faults=1
fi
exit "$faults"
