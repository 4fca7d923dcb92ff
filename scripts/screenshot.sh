#!/usr/bin/env bash
# Renders the main window with the example database loaded (structure tree and messages open) to
# docs/screenshot.png, offscreen: no display needed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh dev
mkdir -p docs
QT_QPA_PLATFORM=offscreen build/dev/gui/stemlook-screenshot examples/family.kvd docs/screenshot.png
echo "wrote docs/screenshot.png"
