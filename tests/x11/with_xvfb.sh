#!/usr/bin/env bash
# Runs a command on an Xvfb display of its own, whatever display is set: the Linux
# program's tests each get a screen of their own and may run side by side.
set -euo pipefail
source "$(dirname "$0")/../../cmake/xvfb.sh"
unset DISPLAY
trap stop_xvfb EXIT
start_xvfb
"$@"
