# Sourced by scripts that need an X display: start_xvfb gives them an Xvfb display of their
# own in DISPLAY when none is set, and stop_xvfb ends it.

xvfb_pid=

start_xvfb() {
    [[ -z ${DISPLAY:-} ]] || return 0
    # Xvfb picks a free display number and writes it to descriptor 3 once it is ready.
    local fifo display_number=
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1280x800x24}" -nolisten tcp 3>"$fifo" 2>/dev/null &
    xvfb_pid=$!
    read -r display_number <"$fifo" || true
    rm -f "$fifo"
    if [[ -z $display_number ]]; then
        echo "Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=":$display_number"
}

# Starts another X server (Xvfb or Xephyr, with its arguments) in the background, on a free
# display number that it writes to descriptor 3 once ready: the display lands in
# server_display and the process id in server_pid.
start_x_server() {
    local fifo number=
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    "$@" -displayfd 3 3>"$fifo" 2>/dev/null &
    server_pid=$!
    read -r number <"$fifo" || true
    rm -f "$fifo"
    if [[ -z $number ]]; then
        echo "$1 did not start" >&2
        return 1
    fi
    server_display=":$number"
}

stop_xvfb() {
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=
    fi
}
