#!/usr/bin/env bash
# Builds the libFuzzer harnesses (the fuzz preset, clang++) and runs each for SECONDS (60 by
# default), one after the other, over a copy of its seed corpus in a temporary folder. Exits
# non-zero on any crash, sanitizer report, leak, timeout or out-of-memory; the input that caused it
# is kept in build/fuzz/artifacts.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

scripts/setup.sh fuzz --no-build
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
artifacts="$PWD/build/fuzz/artifacts"
status=0
for harness in load scanner; do
  cp -r "fuzz/corpus/$harness" "$work/$harness"
  mkdir -p "$artifacts/$harness"
  log="$work/$harness.log"
  echo "fuzz-$harness: ${seconds} s"
  if ASAN_OPTIONS=detect_leaks=1 build/fuzz/fuzz/fuzz-$harness "$work/$harness" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -detect_leaks=1 \
    -dict=fuzz/control.dict -print_final_stats=1 -artifact_prefix="$artifacts/$harness/" \
    >"$log" 2>&1; then
    grep -E '(DONE|^Done|^stat::(number_of_executed_units|new_units_added|peak_rss_mb))' "$log" || true
  else
    echo "fuzz-$harness FAILED; its input is in $artifacts/$harness:" >&2
    tail -n 60 "$log" >&2
    status=1
  fi
done
[ "$status" -eq 0 ] && echo "fuzzing found nothing"
exit "$status"
