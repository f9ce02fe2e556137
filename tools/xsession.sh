# Sourced by the checks that drive a program in a private X server: re-runs the calling
# script under xvfb-run with the given screen, keeps a scratch folder in $work and ends
# the program started as $pid when the script ends.
#   xsession_start SCREEN "$@"   (SCREEN like 1100x600x24)
xsession_start() {
  local screen=$1
  shift
  if [ -z "${ZELK_IN_XVFB:-}" ]; then
    ZELK_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 $screen" bash "$0" "$@"
  fi
  work=$(mktemp -d)
  pid=""
  trap xsession_end EXIT
  unset QT_QPA_PLATFORM  # the X server, not the offscreen platform
  setxkbmap us
}

xsession_end() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid"; fi
  rm -rf "$work"
}
