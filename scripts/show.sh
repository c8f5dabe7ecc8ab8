#!/usr/bin/env bash
# The main job for now: builds the headless simulator and runs the vortex scene from a
# fixed seed, printing a summary and the state of the first funnel.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target nuvrel-sim >/dev/null

sim=build/native/bin/nuvrel-sim
"$sim" --seed 1 --frames 1000
echo "First funnel after 1000 frames:"
"$sim" --seed 1 --frames 1000 --dump | grep -o '"funnels":\[{[^}]*}' | sed 's/"funnels":\[//'
