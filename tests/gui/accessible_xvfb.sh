#!/usr/bin/env bash
# Runs the accessibility tests as a screen reader meets the program: on X (Xvfb) with the AT-SPI
# bus, so that Qt's bridge is active and the events the panes send arrive. Skips (77) when Xvfb,
# D-Bus or the AT-SPI bus launcher is missing.
set -u
tests="$1"
launcher=/usr/libexec/at-spi-bus-launcher
for tool in xvfb-run dbus-run-session; do
  command -v "$tool" >/dev/null || exit 77
done
[ -x "$launcher" ] || exit 77
[ -e /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqxcb.so ] ||
  [ -n "$(find / -name libqxcb.so -path '*qt6*' -print -quit 2>/dev/null)" ] || exit 77
export tests launcher
exec dbus-run-session -- bash -c '
  "$launcher" --launch-immediately &
  bus=$!
  QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 STEMLOOK_ACCESSIBILITY_BRIDGE=1 \
    xvfb-run -a "$tests" --gtest_filter="Accessibility.*"
  status=$?
  kill "$bus" 2>/dev/null
  exit $status'
