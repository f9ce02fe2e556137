#!/usr/bin/env bash
# Installs what is needed, builds the demonstration program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug
cmake --build build -j2 --target ZelkEqDemo
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "ZelkEqDemo is built (build/demo/ZelkEqDemo), but there is no display to show it on." >&2
  echo "Start it on a virtual X display instead:  xvfb-run -a bash tools/demo.sh" >&2
  exit 2
fi
exec build/demo/ZelkEqDemo
