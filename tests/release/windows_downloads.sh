#!/usr/bin/env bash
# Builds the Windows downloads with cpack and reads them back without running them:
#   windows_downloads.sh version|stamps VERSION CPACK CPACK-CONFIG OUTPUT-DIR OBJDUMP
#   version  the project's version is in both downloads' names, in the version resources of
#            the setup program and of the programs in the archive, and in the read-me;
#            the renderer shows itself as such, with the screensaver's icon and maker
#   stamps   what makes two builds differ, without building twice: the programs' headers,
#            and the archive's entries, sorted, carry SOURCE_DATE_EPOCH and no build time
set -euo pipefail
[[ $# -eq 6 ]] || { echo "usage: windows_downloads.sh version|stamps VERSION CPACK CONFIG OUTPUT-DIR OBJDUMP" >&2; exit 2; }
check=$1 version=$2 cpack=$3 config=$4 output_dir=$5 objdump=$6

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

# A fixed source time, which cpack takes instead of the last commit's.
export SOURCE_DATE_EPOCH=1700000000
rm -rf "$output_dir"
"$cpack" -G "ZIP;NSIS" -B "$output_dir" --config "$config" >/dev/null || fail "cpack"
zip=$output_dir/Nuvrel-$version-i686.zip
setup=$output_dir/Nuvrel-$version-setup.exe
[[ -f $zip ]] || fail "no $(basename "$zip"): $(ls "$output_dir")"
[[ -f $setup ]] || fail "no $(basename "$setup"): $(ls "$output_dir")"
unpacked=$output_dir/unpacked
7z x -o"$unpacked" "$zip" >/dev/null || fail "7z cannot unpack the archive"

# A program's version resource as text (7-Zip writes it out as version.txt).
version_resource() {
    7z e -tpe -so "$1" -r version.txt 2>/dev/null | iconv -f UTF-16LE -t UTF-8 | tr -d '\r'
}
value() { sed -n "s/^ *VALUE \"$2\", *\"\(.*\)\"$/\1/p" <<<"$1"; }

check_version() {
    local numbers=${version//./,},0 file text
    for file in "$setup" "$unpacked/Nuvrel.scr" "$unpacked/Nuvrel.dll"; do
        text=$(version_resource "$file")
        echo "$(basename "$file"): FileVersion $(value "$text" FileVersion)," \
            "ProductVersion $(value "$text" ProductVersion)"
        grep -q "^FILEVERSION *$numbers$" <<<"$text" || fail "$file: ${text:-no version resource}"
        grep -q "^PRODUCTVERSION *$numbers$" <<<"$text" || fail "$file: $text"
        [[ $(value "$text" FileVersion) == "$version" ]] || fail "$file: $text"
        [[ $(value "$text" ProductVersion) == "$version" ]] || fail "$file: $text"
    done
    local scr dll
    scr=$(version_resource "$unpacked/Nuvrel.scr")
    dll=$(version_resource "$unpacked/Nuvrel.dll")
    [[ $(value "$dll" FileDescription) == "Nuvrel screensaver renderer" ]] || fail "Nuvrel.dll: $dll"
    [[ $(value "$dll" OriginalFilename) == Nuvrel.dll ]] || fail "Nuvrel.dll: $dll"
    for name in CompanyName ProductName LegalCopyright; do
        [[ -n $(value "$scr" "$name") && $(value "$dll" "$name") == "$(value "$scr" "$name")" ]] ||
            fail "$name differs: $(value "$scr" "$name") / $(value "$dll" "$name")"
    done
    [[ $(value "$dll" LegalCopyright) == *"The Nuvrel maintainers" ]] || fail "no copyright: $dll"
    [[ $(7z l -tpe "$unpacked/Nuvrel.dll") == *GROUP_ICON* ]] || fail "Nuvrel.dll has no icon"
    grep -q "Nuvrel-$version-setup.exe" "$unpacked/README.txt" || fail "the read-me names another setup program"
    grep -q "MIT licence" "$unpacked/README.txt" || fail "the read-me names no licence"
}

check_stamps() {
    # The linker writes no time; strip, which writes the time of stripping into a PE
    # header, takes SOURCE_DATE_EPOCH instead.
    local file stamp
    for file in Nuvrel.scr Nuvrel.dll; do
        stamp=$(TZ=UTC "$objdump" -p "$unpacked/$file" | grep '^Time/Date')
        [[ $stamp =~ Tue\ Nov\ 14\ 22:13:20\ 2023$ ]] || fail "$file: $stamp"
    done
    local listing names times
    listing=$(TZ=UTC zipinfo -T "$zip" | grep '^[-d]')
    echo "$listing"
    names=$(awk '{ print $NF }' <<<"$listing")
    [[ $names == "$(LC_ALL=C sort <<<"$names")" ]] || fail "the archive's entries are not sorted"
    # DOS times: local time (the build's zone is UTC) to two seconds.
    times=$(awk '{ print $(NF - 1) }' <<<"$listing" | sort -u)
    [[ $times == 20231114.221320 ]] || fail "the archive's times: $times"
    [[ $(zipinfo -v "$zip") != *"subfield with ID"* ]] ||
        fail "the archive keeps extra fields (owners, more times)"
}

case $check in
    version) check_version ;;
    stamps) check_stamps ;;
    *) fail "no check $check" ;;
esac
