#!/usr/bin/env bash
# Renders the main window with the example database loaded (structure tree and messages open) to
# docs/screenshot.png, and a picture, a fields, a table and a report pane to docs/pane-*.png, the relationships diagram to docs/diagram.png and the Save As dialog to docs/save-as.png,
# offscreen: no display needed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh dev >&2
mkdir -p docs
QT_QPA_PLATFORM=offscreen build/dev/gui/stemlook-screenshot examples/family.kvd docs/screenshot.png \
  "person picture script BORN" docs/pane-picture.png \
  "Record person" docs/pane-fields.png \
  "person Table census" docs/pane-table.png \
  "person Report sheet" docs/pane-report.png \
  "Relationships" docs/diagram.png \
  "Save As" docs/save-as.png
echo "wrote docs/screenshot.png, docs/pane-*.png, docs/diagram.png and docs/save-as.png"
