#!/usr/bin/env bash
# Sets up, builds, and runs stemlook-text on the bundled example database (or the folder given).
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh dev
exec build/dev/cli/stemlook-text --messages "${1:-examples/family.kvd}"
