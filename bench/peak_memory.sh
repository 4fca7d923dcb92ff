#!/usr/bin/env bash
# The peak memory (resident set) of loading the generated design of about a million lines and
# building its cross-references, as stemlook-text does it, with the wall-clock time. Target:
# 200 MB. Usage: bench/peak_memory.sh [BUILD_DIR]
set -euo pipefail
. "$(dirname "$0")/setup.sh"
"$build/bench/stemlook-generate" "$work/design.kvd" >/dev/null
echo "design: $(wc -l <"$work/design.kvd/control.ged") lines, $(du -m "$work/design.kvd/control.ged" | cut -f1) MB"
for run in 1 2 3; do
  /usr/bin/time -f "run $run: peak %M KB, %e s" "$build/cli/stemlook-text" --messages "$work/design.kvd" >/dev/null
done
