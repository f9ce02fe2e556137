#!/usr/bin/env bash
# Reads the demonstration program from outside over AT-SPI, as a screen reader does: the
# editor's name and spoken formula and the name and role of the palette's first category
# button, in the demo's starting language (Russian).
#
# Usage: tools/atspi-check.sh [build dir, default build]
# Exit status 0 when all are right. Needs a build of ZelkEqDemo and the packages of
# tools/install-deps.sh (D-Bus, at-spi2-core, Xvfb, python3-gi with the Atspi typelib).
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")

if [ -z "${ZELK_IN_A11Y_SESSION:-}" ]; then
  exec bash tools/a11y-session.sh bash "$0" "$build"
fi

work=$(mktemp -d)
pid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid"; fi
  rm -rf "$work"
}
trap cleanup EXIT

"$build/demo/ZelkEqDemo" >"$work/out" 2>"$work/err" &
pid=$!
# The system's Python, which has the GObject bindings.
if ! /usr/bin/python3 tools/atspi-check.py "Zelk Eqations" "Формула" \
     "интеграл от 0 до бесконечность от x d x" "Символы отношений"; then
  echo "atspi-check: failed; the demo said:" >&2
  cat "$work/err" >&2
  exit 1
fi
echo "atspi-check: the editor and the palette read right from outside"
