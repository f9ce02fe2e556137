#!/usr/bin/env bash
# Runs a command as on a desktop with a screen reader: in a private X server and a private
# D-Bus session whose accessibility bus is up, with Qt's AT-SPI bridge switched on.
#
# Usage: tools/a11y-session.sh command [arguments...]
# Needs dbus-run-session, dbus-send, at-spi2-core and xvfb-run (tools/install-deps.sh).
set -euo pipefail
if [ -z "${ZELK_IN_A11Y_SESSION:-}" ]; then
  export ZELK_IN_A11Y_SESSION=1
  exec dbus-run-session -- bash "$(realpath "$0")" "$@"
fi
# The bus starts on demand, but Qt only looks for it at start-up: start it first.
dbus-send --session --dest=org.a11y.Bus --print-reply /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null
unset QT_QPA_PLATFORM  # the X server, not the offscreen platform
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
exec xvfb-run -a -s "-screen 0 1024x768x24" "$@"
