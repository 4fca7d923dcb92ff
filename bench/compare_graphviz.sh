#!/usr/bin/env bash
# Times our layout against Graphviz's dot on the relationships graph of a generated design of
# about 1,000 pictures, and prints the ratio. Usage: bench/compare_graphviz.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/release}"
if ! command -v dot >/dev/null; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get install -y --no-install-recommends graphviz >/dev/null
fi
if [ ! -x "$build/cli/stemlook-text" ] || [ ! -x "$build/bench/stemlook-generate" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DSTEMLOOK_BUILD_GUI=OFF -DSTEMLOOK_BUILD_TESTS=OFF >/dev/null
  cmake --build "$build" -j2 --target stemlook-text stemlook-generate
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# 100 records with 10 pictures each.
"$build/bench/stemlook-generate" "$work/design.kvd" --records 100 --pictures 10 --fields 20 \
  --lists 10 --tables 5 --reports 5
"$build/cli/stemlook-text" --dot -o "$work/graph.dot" "$work/design.kvd"
vertices=$(grep -c 'label=' "$work/graph.dot")
edges=$(grep -c -- '->' "$work/graph.dot")

seconds() { # best of RUNS runs of the command
  local best=""
  for _ in $(seq "${RUNS:-5}"); do
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null
    end=$(date +%s.%N)
    best=$(echo "$start $end ${best:-999}" | awk '{t = $2 - $1; print (t < $3 ? t : $3)}')
  done
  echo "$best"
}

ours=$(seconds "$build/cli/stemlook-text" --dot "$work/design.kvd")
load=$(seconds "$build/cli/stemlook-text" --messages "$work/design.kvd")
# dot takes minutes on this graph: once is enough.
theirs=$(RUNS=1 seconds dot -Tplain "$work/graph.dot")
echo "vertices $vertices, edges $edges"
echo "stemlook-text --dot (load, build, layout, write): ${ours} s; load and build alone: ${load} s"
echo "dot -Tplain on the same graph: ${theirs} s"
awk -v a="$ours" -v l="$load" -v b="$theirs" 'BEGIN {
  printf "layout and write: %.4f s; dot takes %.1f times as long\n", a - l, b / (a - l > 0 ? a - l : 1e-6) }'
