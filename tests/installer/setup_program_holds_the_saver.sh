#!/usr/bin/env bash
# Builds the setup program with cpack and reads it back without running it:
#   setup_program_holds_the_saver.sh CPACK CPACK-CONFIG OUTPUT-DIR OBJDUMP
# It must be a 32-bit Unicode NSIS installer named Nuvrel-<version>-setup.exe that holds
# both programs, bound for one folder (the system folder, chosen when it runs), and the
# read-me and the uninstaller for the install folder.
set -euo pipefail
[[ $# -eq 4 ]] || { echo "usage: setup_program_holds_the_saver.sh CPACK CONFIG OUTPUT-DIR OBJDUMP" >&2; exit 2; }
cpack=$1 config=$2 output_dir=$3 objdump=$4

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

rm -rf "$output_dir"
"$cpack" -G NSIS -B "$output_dir" --config "$config" >/dev/null || fail "cpack -G NSIS"
setups=("$output_dir"/*-setup.exe)
[[ ${#setups[@]} -eq 1 && -f ${setups[0]} ]] || fail "no setup program in $output_dir"
setup=${setups[0]}
[[ $(basename "$setup") =~ ^Nuvrel-[0-9]+\.[0-9]+\.[0-9]+-setup\.exe$ ]] ||
    fail "the setup program is called $(basename "$setup")"
echo "$(basename "$setup"): $(stat -c %s "$setup") bytes"

"$objdump" -f "$setup" | grep -q 'file format pei-i386' || fail "not a 32-bit Windows program"

listing=$(7z l "$setup") || fail "7z cannot read the setup program"
grep -qx 'Type = Nsis' <<<"$listing" || fail "not an NSIS installer"
grep -q '^SubType = NSIS-3 Unicode' <<<"$listing" || fail "not a Unicode installer"

# The file names of the listing: its last column, which starts where the header's Name does.
header=$(grep -m 1 '  Name$' <<<"$listing") || fail "7z lists no names"
name_column=$((${#header} - 3))
names=$(sed -n '/^-----/,/^-----/{/^-----/d;p}' <<<"$listing" | cut -c"$name_column"- | sort)
echo "$names"
scr=$(grep '/Nuvrel\.scr$' <<<"$names") || fail "no Nuvrel.scr"
dll=$(grep '/Nuvrel\.dll$' <<<"$names") || fail "no Nuvrel.dll"
[[ $(dirname "$scr") == "$(dirname "$dll")" ]] || fail "Nuvrel.scr and Nuvrel.dll go to different folders"
[[ $(dirname "$scr") != '$INSTDIR' && $scr == */* ]] || fail "the programs go to the install folder"
grep -qx 'README.txt' <<<"$names" || fail "no README.txt for the install folder"
grep -qx 'Uninstall.exe' <<<"$names" || fail "no uninstaller"
