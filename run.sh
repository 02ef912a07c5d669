#!/usr/bin/env bash
# Installs what is missing, builds Tavrine and starts the game. With arguments it
# runs the headless tool instead (./run.sh info build/program/SaveGames/x.gam).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
program=build/program
if [ $# -gt 0 ]; then
  exec "$program/tavrine-sim" "$@"
fi
if [ ! -x "$program/tavrine" ]; then
  echo "run.sh: the desktop program was not built (TAVRINE_GUI is OFF); try ./run.sh info FILE.gam" >&2
  exit 1
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: Tavrine needs a desktop to show its window (no DISPLAY is set)." >&2
  echo "        On a machine without one: xvfb-run -s '-screen 0 1024x768x24' $program/tavrine" >&2
  exit 1
fi
exec "$program/tavrine"
