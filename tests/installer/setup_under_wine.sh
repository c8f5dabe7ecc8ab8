#!/usr/bin/env bash
# The setup program as an administrator runs it, in a Wine prefix of a 32-bit or a 64-bit
# Windows, one step at a time; the steps share the prefix and run in this order:
#   setup_under_wine.sh STEP WINE-RUN ARCH PREFIX SETUP-EXE HOLDS-FILE-EXE
#   installs            a fresh prefix; /D naming another folder is refused; setup /S
#                       /SCREENSAVER puts everything in place
#   saver_runs          the saver named by SCRNSAVE.EXE, started with /s, shows the renderer
#   upgrade             setup /S again, over the first: while another program holds
#                       Nuvrel.dll, or a preview runs Nuvrel.scr, it ends with exit code 3
#                       and changes nothing; then one entry, the user's settings kept
#   uninstall           Uninstall.exe /S while Nuvrel.dll is held ends with exit code 3 and
#                       removes nothing; then it removes all of ours and keeps the settings
#   keeps_another_saver an uninstall leaves SCRNSAVE.EXE alone when it names another saver
# Exit code 77: this machine cannot start 32-bit Windows programs, which the setup
# program is, in any prefix.
set -euo pipefail
[[ $# -eq 6 ]] || { echo "usage: setup_under_wine.sh STEP WINE-RUN ARCH PREFIX SETUP-EXE HOLDS-FILE-EXE" >&2; exit 2; }
step=$1 wine_run=$2 arch=$3 prefix=$(realpath -m "$4") setup=$5 holds_file=$6

if ! "$wine_run" --arch win32 --prefix "$prefix" --check ||
    ! "$wine_run" --arch "$arch" --prefix "$prefix" --check; then
    echo "SKIPPED: Wine cannot start 32-bit programs on this machine (no 32-bit user mode" \
        "in its kernel), and the setup program is one"
    exit 77
fi

case $arch in
    win32) system_folder=system32 program_folder='Program Files/Nuvrel' views=(32) ;;
    win64) system_folder=syswow64 program_folder='Program Files (x86)/Nuvrel' views=(32 64) ;;
esac
drive_c=$prefix/drive_c
saver_folder=$drive_c/windows/$system_folder
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
desktop_key='HKCU\Control Panel\Desktop'

source "$(dirname "${BASH_SOURCE[0]}")/wine_desktop.sh"

run() { "$wine_run" --arch "$arch" --prefix "$prefix" "$@"; }

# Waits for every program of the prefix, an uninstaller's copy of itself included.
wait_for_programs() {
    timeout 120 wineserver -w || fail "programs of the prefix still running after 2 minutes"
}

# The data of a registry value, or nothing when it is missing: reg_value KEY NAME [VIEW]
reg_value() {
    local output
    output=$(run reg query "$1" /v "$2" ${3:+/reg:$3} 2>/dev/null | tr -d '\r') || return 0
    sed -n "s/^    $2    REG_[A-Z_]*    //p" <<<"$output"
}

uninstall_entry() { reg_value "$uninstall_key\\Nuvrel" "$1" 32; }

# How many entries in the list of programs, in every registry view, are called Nuvrel.
count_entries() {
    local view count=0 listing
    for view in "${views[@]}"; do
        listing=$(run reg query "$uninstall_key" /s /reg:"$view" 2>/dev/null | tr -d '\r') || true
        count=$((count + $(grep -c '^    DisplayName    REG_SZ    Nuvrel$' <<<"$listing" || true)))
    done
    echo "$count"
}

unix_path() { run winepath -u "$1" 2>/dev/null | tr -d '\r'; }

local_app_data() {
    local users
    users=$(find "$drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n 1)
    echo "$users/AppData/Local"
}

expect_installed() {
    local file
    for file in Nuvrel.scr Nuvrel.dll; do
        [[ -s $saver_folder/$file ]] || fail "$file is not in windows/$system_folder"
    done
    for file in README.txt Uninstall.exe; do
        [[ -s $drive_c/$program_folder/$file ]] || fail "$file is not in $program_folder"
    done
    [[ $(uninstall_entry DisplayName) == Nuvrel ]] || fail "no entry in the list of programs"
    [[ $(uninstall_entry DisplayVersion) =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "no version"
    [[ -n $(uninstall_entry Publisher) ]] || fail "no publisher"
    [[ $(uninstall_entry DisplayIcon) == *'\Uninstall.exe,0' ]] || fail "no icon"
    [[ $(uninstall_entry EstimatedSize) =~ ^0x[0-9a-f]+$ ]] || fail "no size"
    (($(uninstall_entry EstimatedSize) > 100)) || fail "a size of $(uninstall_entry EstimatedSize) KiB"
    local command
    command=$(uninstall_entry UninstallString)
    [[ $command =~ ^\".*\\Uninstall\.exe\"$ ]] || fail "the uninstall command is not quoted: $command"
}

# Starts another program that holds the file open with no sharing (none: only its window),
# and prints the handle of its window, a preview box.
start_holder() {
    run "$holds_file" "$@" >/dev/null &
    local title
    title=$(timeout 30 xdotool search --sync --name '^Nuvrel test box [0-9]+$' getwindowname) ||
        fail "holds_file $* did not start"
    echo "${title##* }"
}

# Ends every program of the prefix: the holder and whatever runs in its box.
end_programs() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
}

# The two programs' checksums: an install is whole when both are what they were.
programs_sum() { cat "$saver_folder/Nuvrel.scr" "$saver_folder/Nuvrel.dll" | md5sum; }

# Setup /S over an install, while something holds its files: exit code 3, nothing changed.
expect_refused_upgrade() {
    local before status=0
    before=$(programs_sum)
    run "$(realpath "$setup")" /S || status=$?
    [[ $status -eq 3 ]] || fail "setup /S with $1: exit code $status, not 3"
    [[ $(programs_sum) == "$before" ]] || fail "setup /S with $1 changed the programs"
    end_programs
}

settings_file=$saver_folder/Nuvrel.ini
settings='[Section]
BGM=0'

case $step in
    installs)
        # A fresh prefix, with nothing of a former run.
        wineserver -k 2>/dev/null || true
        rm -rf "$prefix" "$prefix.lock"
        # A folder that every user can write to.
        status=0
        run "$(realpath "$setup")" /S '/D=C:\Users\Public\Nuvrel' || status=$?
        [[ $status -eq 87 ]] || fail "setup /S /D=C:\Users\Public\Nuvrel: exit code $status, not 87"
        [[ ! -e $drive_c/users/Public/Nuvrel ]] || fail "setup /D put files in C:\Users\Public\Nuvrel"
        [[ ! -e $saver_folder/Nuvrel.scr && $(count_entries) -eq 0 ]] || fail "setup /D installed"
        run "$(realpath "$setup")" /S /SCREENSAVER || fail "setup /S /SCREENSAVER exit code $?"
        wait_for_programs
        expect_installed
        [[ $(count_entries) -eq 1 ]] || fail "$(count_entries) entries in the list of programs"
        saver=$(reg_value "$desktop_key" SCRNSAVE.EXE)
        [[ -n $saver ]] || fail "SCRNSAVE.EXE is not set"
        [[ -f $(unix_path "$saver") ]] || fail "SCRNSAVE.EXE names $saver, which does not exist"
        [[ $(unix_path "$saver") -ef $saver_folder/Nuvrel.scr ]] ||
            fail "SCRNSAVE.EXE names $saver, not the saver in windows/$system_folder"
        echo "installed; SCRNSAVE.EXE=$saver"
        ;;

    saver_runs)
        # As Windows starts the screen saver: the program SCRNSAVE.EXE names, with /s.
        saver=$(reg_value "$desktop_key" SCRNSAVE.EXE)
        [[ -n $saver ]] || fail "SCRNSAVE.EXE is not set"
        run "$saver" /s &
        saver_pid=$!
        window=$(timeout 60 xdotool search --sync --name '^Nuvrel_VC$' | head -n 1) ||
            fail "no renderer window \"Nuvrel_VC\" within a minute"
        echo "renderer window $window"
        xdotool key space
        for _ in $(seq 60); do
            kill -0 "$saver_pid" 2>/dev/null || break
            sleep 1
        done
        if kill -0 "$saver_pid" 2>/dev/null; then
            fail "the screen saver is still running after a key"
        fi
        wait "$saver_pid" || fail "the screen saver ended with exit code $?"
        ;;

    upgrade)
        printf '%s\r\n' "$settings" >"$settings_file"
        # The installed programs, marked, tell an untouched install from a replaced one.
        for file in Nuvrel.scr Nuvrel.dll; do
            printf 'previous install' >>"$saver_folder/$file"
        done
        start_holder "C:\\windows\\$system_folder\\Nuvrel.dll" >/dev/null
        expect_refused_upgrade "Nuvrel.dll held"
        # As while the Screen Saver Settings show Nuvrel.
        box=$(start_holder)
        run "C:\\windows\\$system_folder\\Nuvrel.scr" /p "$box" &
        timeout 30 xdotool search --sync --name "^Nuvrel test box $box with a preview\$" >/dev/null ||
            fail "no preview"
        expect_refused_upgrade "a preview running"

        marked=$(programs_sum)
        run "$(realpath "$setup")" /S || fail "setup /S over an install: exit code $?"
        wait_for_programs
        expect_installed
        [[ $(count_entries) -eq 1 ]] || fail "$(count_entries) entries in the list of programs"
        [[ $(tr -d '\r' <"$settings_file") == "$settings" ]] || fail "Nuvrel.ini changed"
        [[ -n $(reg_value "$desktop_key" SCRNSAVE.EXE) ]] || fail "SCRNSAVE.EXE was cleared"
        [[ $(programs_sum) != "$marked" ]] || fail "setup /S did not replace the programs"
        ;;

    uninstall)
        [[ -f $settings_file ]] || printf '%s\r\n' "$settings" >"$settings_file"
        # Where Windows keeps the settings file that a user without administrator rights saves.
        virtual_store=$(local_app_data)/VirtualStore/Windows/$system_folder
        mkdir -p "$virtual_store"
        printf '%s\r\n' "$settings" >"$virtual_store/Nuvrel.ini"

        command=$(uninstall_entry UninstallString)
        [[ -n $command ]] || fail "no uninstall command"
        uninstaller=${command#\"}
        uninstaller=${uninstaller%\"}

        # Run in place, as deployment tools do, for its own exit code: _?= takes no quotes.
        folder=$(run winepath -s "${uninstaller%\\Uninstall.exe}" | tr -d '\r')
        start_holder "C:\\windows\\$system_folder\\Nuvrel.dll" >/dev/null
        status=0
        run "$folder\\Uninstall.exe" /S "_?=$folder" || status=$?
        [[ $status -eq 3 ]] || fail "Uninstall.exe /S with Nuvrel.dll held: exit code $status, not 3"
        end_programs
        expect_installed

        run "$uninstaller" /S || fail "Uninstall.exe /S exit code $?"
        wait_for_programs

        for file in Nuvrel.scr Nuvrel.dll; do
            [[ ! -e $saver_folder/$file ]] || fail "$file is still in windows/$system_folder"
        done
        [[ ! -e $drive_c/$program_folder ]] || fail "$program_folder is still there"
        [[ $(count_entries) -eq 0 ]] || fail "an entry is still in the list of programs"
        for view in "${views[@]}"; do
            if run reg query "$uninstall_key\\Nuvrel" /reg:"$view" >/dev/null 2>&1; then
                fail "the uninstall key is still there (registry view $view)"
            fi
        done
        [[ -z $(reg_value "$desktop_key" SCRNSAVE.EXE) ]] || fail "SCRNSAVE.EXE still names Nuvrel"
        [[ $(tr -d '\r' <"$settings_file") == "$settings" ]] || fail "Nuvrel.ini was removed"
        [[ -f $virtual_store/Nuvrel.ini ]] || fail "the VirtualStore copy of Nuvrel.ini was removed"
        ;;

    keeps_another_saver)
        run "$(realpath "$setup")" /S /SCREENSAVER || fail "setup exit code $?"
        wait_for_programs
        other='C:\windows\system32\scrnsave.scr'
        run reg add "$desktop_key" /v SCRNSAVE.EXE /t REG_SZ /d "$other" /f >/dev/null
        command=$(uninstall_entry UninstallString)
        uninstaller=${command#\"}
        run "${uninstaller%\"}" /S || fail "Uninstall.exe /S exit code $?"
        wait_for_programs
        [[ ! -e $saver_folder/Nuvrel.scr ]] || fail "Nuvrel.scr is still there"
        [[ $(reg_value "$desktop_key" SCRNSAVE.EXE) == "$other" ]] ||
            fail "SCRNSAVE.EXE, naming another saver, became '$(reg_value "$desktop_key" SCRNSAVE.EXE)'"
        ;;

    *)
        echo "unknown step: $step" >&2
        exit 2
        ;;
esac
echo "$step ($arch): passed"
