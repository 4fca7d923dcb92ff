#!/usr/bin/env bash
# Installs what the build needs (Debian 12 / Ubuntu) when it is missing, then configures and
# builds the given preset (dev by default). --no-build stops after the install. The compiler is
# the one CMake finds, or $CXX (CXX=clang++ for clang; the ci preset installs it).
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-dev}"
build=yes
[ "${2:-}" = "--no-build" ] && build=no

# Qt 6 Widgets for the desktop program; the offscreen platform and a font for its tests and the
# screenshot; Xvfb to run it on a machine without a display.
packages=(cmake g++ make libgtest-dev libbenchmark-dev clang-format qt6-svg-dev
  qt6-base-dev qt6-qpa-plugins fonts-dejavu-core xvfb xauth)
[ "$preset" = ci ] && packages+=(clang)
# The fuzzers build the core alone; clang only recommends its runtime libraries, which hold
# libFuzzer.
[ "$preset" = fuzz ] && packages=(cmake make clang libclang-rt-dev)
# What cpack needs for the .deb's dependencies, the checks of scripts/package.sh, and
# rsvg-convert for the package's bitmap icons.
[ "$preset" = package ] && packages+=(dpkg-dev file desktop-file-utils appstream librsvg2-bin)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

[ "$build" = yes ] || exit 0
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
