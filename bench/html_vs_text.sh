#!/usr/bin/env bash
# The whole `stemlook-text --html` of the generated design of about a million lines against
# writing its Save As Text document (`--select all`), side by side: wall-clock time and the
# site's size. Target: at most 5 times the time.
# Usage: bench/html_vs_text.sh [BUILD_DIR]
set -euo pipefail
. "$(dirname "$0")/setup.sh"
"$build/bench/stemlook-generate" "$work/big.kvd" >/dev/null
echo "design: $(wc -l <"$work/big.kvd/control.ged") lines"

best() { sort -n | head -1; }
measure() {
  for _ in 1 2 3; do
    /usr/bin/time -f "%e" "$build/cli/stemlook-text" "$@" >/dev/null 2>>"$work/times" || true
    tail -1 "$work/times"
  done
}
text_s=$(measure --select all "$work/big.kvd" | best)
html_s=$(measure --html "$work/site" "$work/big.kvd" | best)
echo "text:  ${text_s} s"
echo "html:  ${html_s} s, $(find "$work/site" -type f | wc -l) files, $(du -sh "$work/site" | cut -f1)"
awk -v a="$html_s" -v b="$text_s" 'BEGIN { printf "ratio: time %.2f (target 5)\n", a / b }'
