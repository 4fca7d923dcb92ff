#!/usr/bin/env bash
# Sets up, builds and runs every test (the given preset: dev by default, asan for the sanitizers).
set -euo pipefail
cd "$(dirname "$0")"
preset="${1:-dev}"
scripts/setup.sh "$preset"
ctest --preset "$preset" -j2
