#!/usr/bin/env bash
# Sets up, builds, and starts the desktop program on the bundled example database (or the folder
# given). Without a display it says so and prints that database's text instead.
set -euo pipefail
cd "$(dirname "$0")"
# Set-up and build output goes to standard error: without a display, standard output is the
# document alone.
scripts/setup.sh dev >&2
folder="${1:-examples/family.kvd}"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: no display (neither DISPLAY nor WAYLAND_DISPLAY is set), so stemlook can't open" \
    "its window; here is the text of $folder from stemlook-text instead." >&2
  exec build/dev/cli/stemlook-text "$folder"
fi
exec build/dev/gui/stemlook "$folder"
