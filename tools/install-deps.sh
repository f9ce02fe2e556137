#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running the project need.
set -euo pipefail
packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev pkg-config dpkg-dev file
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-tools-dev qt6-tools-dev-tools qt6-svg-dev libgl-dev
  qt6-declarative-dev qml6-module-qtquick qml6-module-qtqml qml6-module-qtquick-window
  qml6-module-qtqml-workerscript qml6-module-qtqml-models qml6-module-qttest
  libgtest-dev libbenchmark-dev
  xvfb xauth xdotool x11-apps x11-xkb-utils imagemagick
  fonts-liberation2 fonts-dejavu-core fonts-freefont-ttf fonts-texgyre-math libharfbuzz-dev
  nodejs libxml2-utils w3c-sgml-lib texlive-latex-base-doc poppler-utils librsvg2-bin pandoc
  dbus at-spi2-core python3-gi gir1.2-atspi-2.0
)
# The PyQt6 bindings, without what they only recommend (a Qt 5 qmake).
lean=(python3-pyqt6 pyqt6-dev sip-tools python3-pyqtbuild)
# Some node builds bring npm with them; Debian's node does not.
command -v npm >/dev/null || packages+=(npm)
missing() {
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}
mapfile -t missing_packages < <(missing "${packages[@]}")
mapfile -t missing_lean < <(missing "${lean[@]}")
if [ ${#missing_packages[@]} -gt 0 ] || [ ${#missing_lean[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  install=(env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq)
  [ ${#missing_packages[@]} -eq 0 ] || $SUDO "${install[@]}" "${missing_packages[@]}"
  [ ${#missing_lean[@]} -eq 0 ] || $SUDO "${install[@]}" --no-install-recommends "${missing_lean[@]}"
fi
