#!/usr/bin/env bash
# Builds the benchmarks into build-bench/ (RelWithDebInfo) and runs them all:
#
#   bash scripts/bench.sh           start-up, memory, files, picture import, opening a question, board repaint
#   bash scripts/bench.sh --long    the same and the answer clock (106 s more)
#
# Prints the machine, its load, and one table in which every figure stands
# beside a baseline measured in the same run. Benchmarks print; they never
# fail because something is slow. Progress goes to stderr.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build-bench"
long=0
for arg in "$@"; do
  case "$arg" in
    --long) long=1 ;;
    *) echo "usage: bash scripts/bench.sh [--long]" >&2; exit 2 ;;
  esac
done

for tool in cmake Xvfb; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: run bash scripts/install-deps.sh" >&2; exit 1; }
done

targets=(wandquiz benchmarks wandquiz_pictures wandquiz_sounds wandquiz_walls)
[ -f "$build/CMakeCache.txt" ] || cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target "${targets[@]}" >&2

source "$top/scripts/start-display.sh"
source "$top/scripts/start-audio.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/wandquiz-bench.XXXXXX")
rows="$work/rows.tsv"
trap 'stop_audio; stop_display; rm -rf "$work"' EXIT
# Qt wants a private runtime folder; the start-up benchmark gives each start its own.
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"
start_display
# The game plays its sounds where a sound server is, so it is measured with one.
start_audio || echo "bench: no sound server, the game starts without sound" >&2

load() { cut -d' ' -f1-3 /proc/loadavg; }
echo "CPU:    $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //'), $(nproc) cores"
echo "Memory: $(awk '/MemTotal/ {printf "%.1f GiB", $2 / 1048576}' /proc/meminfo)"
echo "System: Linux $(uname -r)$(grep -qw hypervisor /proc/cpuinfo && echo ', virtual machine')"
echo "Build:  $build (RelWithDebInfo), Qt $(qtpaths6 --qt-version 2>/dev/null || echo 6)"
echo "Load at the start (1, 5, 15 min): $(load)"

# One benchmark that fails leaves its rows out; the others still run.
run() {
  "$build/bench/$1" "${@:2}" --rows "$rows" || echo "bench: $1 failed" >&2
  echo "bench: $1 done, load $(load)" >&2
}
run bench_startup --runs 11
run bench_files --runs 11
run bench_pictures --runs 11
run bench_question --runs 11
run bench_board --runs 30
[ "$long" = 1 ] && run bench_clock --runs 3

echo "Load at the end (1, 5, 15 min):   $(load)"
echo
"$build/bench/bench_table" "$rows"
