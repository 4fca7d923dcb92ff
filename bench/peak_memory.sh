#!/usr/bin/env bash
# The peak memory (resident set) of loading the generated design of about a million lines and
# building its cross-references, as stemlook-text does it, with the wall-clock time. Target:
# 200 MB. Usage: bench/peak_memory.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/release}"
if [ ! -x "$build/cli/stemlook-text" ] || [ ! -x "$build/bench/stemlook-generate" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DSTEMLOOK_BUILD_GUI=OFF -DSTEMLOOK_BUILD_TESTS=OFF >/dev/null
  cmake --build "$build" -j2 --target stemlook-text stemlook-generate
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/stemlook-generate" "$work/design.kvd" >/dev/null
echo "design: $(wc -l <"$work/design.kvd/control.ged") lines, $(du -m "$work/design.kvd/control.ged" | cut -f1) MB"
for run in 1 2 3; do
  /usr/bin/time -f "run $run: peak %M KB, %e s" "$build/cli/stemlook-text" --messages "$work/design.kvd" >/dev/null
done
