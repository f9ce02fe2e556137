#!/usr/bin/env bash
# Builds the Debian packages and installs them with dpkg into a throwaway root: overlays on
# /usr, /etc and /var in a private mount namespace, gone when the check ends; the machine's
# own system is never touched. There it builds the consumer check against the installed
# -dev package, once with find_package(ZelkEquations) and once with pkg-config, runs both,
# runs zelk-convert and, where the bindings and the QML module were built, the Python test
# and the QML test against the installed packages.
#
# Usage: tools/package-check.sh [build dir, default build-deb]. The build dir is configured
# for Debian (Release, prefix /usr) and builds only what the packages hold. Needs root or
# sudo (for the mount namespace) and tools/install-deps.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = --inside ]; then
  # In the private mount namespace: $2 the scratch folder, then the packages.
  work=$2
  shift 2
  for dir in usr etc var; do
    mkdir -p "$work/root/$dir" "$work/overlay-work/$dir"
    mount -t overlay overlay \
      -o "lowerdir=/$dir,upperdir=$work/root/$dir,workdir=$work/overlay-work/$dir" "/$dir"
  done
  DEBIAN_FRONTEND=noninteractive dpkg -i "$@" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; exit 1; }
  dpkg-query -W '*zelkequations*'
  plugins=$(qmake6 -query QT_INSTALL_PLUGINS)/designer
  export QT_QPA_PLATFORM=offscreen

  # find_package finds the package where dpkg put it, without a prefix path.
  cmake -S tests/consumer -B "$work/consumer" -G Ninja >/dev/null
  cmake --build "$work/consumer" >/dev/null
  "$work/consumer/ZelkConsumer" "$plugins" tests/designer/EquationForm.ui
  "$work/consumer/ZelkQtNames"

  # A build without CMake: what pkg-config says, and C++20.
  flags=$(pkg-config --cflags --libs zelkequations Qt6UiTools)
  echo "pkg-config --cflags --libs zelkequations: $(pkg-config --cflags --libs zelkequations)"
  # shellcheck disable=SC2086
  g++ -std=c++20 -fPIC -Itests/consumer/host tests/consumer/main.cpp $flags -o "$work/pkg-config-consumer"
  "$work/pkg-config-consumer" "$plugins" tests/designer/EquationForm.ui
  # shellcheck disable=SC2086
  g++ -std=c++20 -fPIC -Itests/consumer/host tests/consumer/QtNames.cpp $flags -o "$work/pkg-config-qt-names"
  "$work/pkg-config-qt-names"

  if dpkg-query -W python3-zelkequations >/dev/null 2>&1; then
    /usr/bin/python3 tests/python/test_zelkequations.py
  fi

  if dpkg-query -W qml6-module-zelkequations >/dev/null 2>&1; then
    # The module from Qt's own import path, where the package put it.
    QT_QUICK_BACKEND=software "$(qmake6 -query QT_INSTALL_BINS)/qmltestrunner" -input tests/quick/tst_formula.qml
  fi

  latex=$(echo 'x^2' | zelk-convert --to latex)
  case "$latex" in 'x^{2}'*) ;; *) echo "zelk-convert wrote: $latex" >&2; exit 1 ;; esac
  echo "package-check: the installed packages work"
  exit 0
fi

build=${1:-build-deb}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DZELK_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
work=$(mktemp -d)
trap '$SUDO rm -rf "$work"' EXIT
rm -f "$build"/*.deb
# cpack warns that the plugins have no soname: they are loaded, never linked.
(cd "$build" && cpack -G DEB >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
packages=("$PWD/$build"/*.deb)
for p in "${packages[@]}"; do
  echo "$(basename "$p"): $(dpkg-deb -f "$p" Depends)"
done
$SUDO unshare --mount --propagation private --fork bash "$0" --inside "$work" "${packages[@]}"
