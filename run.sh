#!/usr/bin/env bash
# Installs what is missing, builds Tavrine and starts it.
# Until the desktop program exists this runs the headless tool: with no arguments
# it makes a fresh 80 x 60 map and prints it; otherwise it passes the arguments on
# (./run.sh info SaveGames/x.gam).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
program=build/program
if [ -x "$program/tavrine" ]; then
  exec "$program/tavrine" "$@"
fi
if [ $# -gt 0 ]; then
  exec "$program/tavrine-sim" "$@"
fi
mkdir -p "$program/SaveGames"
"$program/tavrine-sim" new 80 60 0 "$program/SaveGames/Empty map.gam"
"$program/tavrine-sim" info "$program/SaveGames/Empty map.gam" | head -c 600; echo
