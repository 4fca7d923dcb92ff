# Sourced by the benchmark scripts: from the project root, the Release build of stemlook-text and
# stemlook-generate in $build (the scripts' first argument, build/release by default), made when
# missing, and an empty $work folder removed at the end.
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build="${1:-build/release}"
if [ ! -x "$build/cli/stemlook-text" ] || [ ! -x "$build/bench/stemlook-generate" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DSTEMLOOK_BUILD_GUI=OFF -DSTEMLOOK_BUILD_TESTS=OFF >/dev/null
  cmake --build "$build" -j2 --target stemlook-text stemlook-generate
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
