#!/usr/bin/env bash
# Builds the fuzz preset and runs every libFuzzer target for SECONDS each (default 300),
# starting from its seed corpus in fuzz/corpus/<target>. New inputs go to
# build/fuzz/corpus/<target>, crashes to build/fuzz/crashes/; the source tree is never written.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

failed=()
for seeds in fuzz/corpus/*/; do
    target=$(basename "$seeds")
    corpus=build/fuzz/corpus/$target
    mkdir -p "$corpus" build/fuzz/crashes
    echo "=== $target, ${seconds} s"
    if ! "build/fuzz/bin/$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="build/fuzz/crashes/$target-" "$corpus" "$seeds" \
        >"build/fuzz/$target.log" 2>&1; then
        failed+=("$target")
        tail -n 40 "build/fuzz/$target.log"
    fi
    grep -E '^(Done|#[0-9]+ *DONE)|stat::number_of_executed_units' "build/fuzz/$target.log" || true
done

if [[ ${#failed[@]} -gt 0 ]]; then
    echo "FAILED: ${failed[*]} (inputs in build/fuzz/crashes/)"
    exit 1
fi
echo "All fuzz targets ran clean."
