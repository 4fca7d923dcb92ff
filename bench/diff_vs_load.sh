#!/usr/bin/env bash
# The whole `stemlook-text --diff` of two generated designs of about a million lines that differ
# in every hundredth picture, against loading one of them (`--messages`): wall-clock time and
# peak memory (resident set). Targets: at most 2.2 times each.
# Usage: bench/diff_vs_load.sh [BUILD_DIR]
set -euo pipefail
. "$(dirname "$0")/setup.sh"
"$build/bench/stemlook-generate" "$work/old.kvd" >/dev/null
mkdir "$work/new.kvd"
awk '/ PICTURE / && ++n % 100 == 0 { $0 = $0 " \"changed\"" } { print }' \
  "$work/old.kvd/control.ged" >"$work/new.kvd/control.ged"
echo "designs: $(wc -l <"$work/old.kvd/control.ged") lines;" \
  "$("$build/cli/stemlook-text" --diff --brief "$work/old.kvd" "$work/new.kvd" | wc -l) elements differ"

best() { sort -n | head -1; }
measure() {
  for _ in 1 2 3; do
    /usr/bin/time -f "%e %M" "$build/cli/stemlook-text" "$@" >/dev/null 2>>"$work/times" || true
    tail -1 "$work/times"
  done
}
load=$(measure --messages "$work/old.kvd")
diff=$(measure --diff "$work/old.kvd" "$work/new.kvd")
load_s=$(echo "$load" | cut -d' ' -f1 | best); load_kb=$(echo "$load" | cut -d' ' -f2 | best)
diff_s=$(echo "$diff" | cut -d' ' -f1 | best); diff_kb=$(echo "$diff" | cut -d' ' -f2 | best)
echo "load:  ${load_s} s, peak ${load_kb} KB"
echo "diff:  ${diff_s} s, peak ${diff_kb} KB"
awk -v a="$diff_s" -v b="$load_s" -v c="$diff_kb" -v d="$load_kb" \
  'BEGIN { printf "ratio: time %.2f, memory %.2f (targets 2.2)\n", a / b, c / d }'
