#!/usr/bin/env bash
# Builds every download of the current commit twice, from two copies of the source in
# different folders, under different umasks and time zones and at different times, and
# compares them byte for byte:
#   scripts/check-reproducible.sh [WORK-DIR]
# Each build is scripts/release.sh from scratch (a few minutes). The SHA-256 sums of the
# first build are printed; any difference is named, and shown by diffoscope when installed.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(realpath -m "${1:-$(mktemp -d /tmp/nuvrel-reproducible.XXXXXX)}")
export SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
if [[ -n $(git status --porcelain --untracked-files=no) ]]; then
    echo "Note: uncommitted changes are not built; the commit $(git rev-parse --short HEAD) is."
fi
unset NUVREL_SIGN_PFX

build() {
    local source=$1 umask_value=$2 zone=$3
    rm -rf "$source"
    mkdir -p "$source"
    git archive HEAD | tar -x -C "$source"
    echo "=== building in $source (umask $umask_value, TZ=$zone)"
    (cd "$source" && umask "$umask_value" && TZ=$zone scripts/release.sh "$source/dist") \
        >"$source.log" 2>&1 || { tail -n 30 "$source.log"; echo "FAILED: see $source.log"; exit 1; }
}
build "$work/first" 022 UTC
build "$work/second/other-folder" 077 Pacific/Kiritimati

first=$work/first/dist second=$work/second/other-folder/dist
cat "$first/SHA256SUMS"
different=0
for file in "$first"/*; do
    name=$(basename "$file")
    if ! cmp -s "$file" "$second/$name"; then
        echo "DIFFERENT: $name"
        different=1
        if command -v diffoscope >/dev/null; then
            diffoscope "$file" "$second/$name" | head -n 200 || true
        fi
    fi
done
[[ $(ls "$first") == "$(ls "$second")" ]] || { echo "DIFFERENT downloads: $(ls "$second")"; different=1; }
if [[ $different -ne 0 ]]; then
    echo "FAILED: the two builds differ"
    exit 1
fi
echo "Both builds gave the same bytes."
