# Sourced by the renderer's test scripts.

# The processor time that a program run by Wine takes, found by a pattern of its command line
# (the Wine loader runs it as itself): prints per mille of one core over the seconds given.
processor_per_mille() {
    local pattern=$1 seconds=$2 pid process= before after
    for pid in $(pgrep -f "$pattern"); do
        if [[ $(readlink "/proc/$pid/exe" 2>/dev/null) == *wine* ]]; then
            process=$pid
            break
        fi
    done
    [[ -n $process ]] || { echo "FAIL: no process of $pattern" >&2; return 1; }
    before=$(awk '{ print $14 + $15 }' "/proc/$process/stat")
    sleep "$seconds"
    after=$(awk '{ print $14 + $15 }' "/proc/$process/stat")
    echo $(((after - before) * 1000 / (seconds * $(getconf CLK_TCK))))
}
