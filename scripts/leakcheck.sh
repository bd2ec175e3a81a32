#!/usr/bin/env bash
# Looks for leaks and memory errors: builds the library, the long-play test
# and the game with AddressSanitizer (which includes LeakSanitizer) into
# build-lsan/, then plays many whole games in one process (tst_longplay),
# runs the shutdown tests, and starts the real game and closes it with
# SIGTERM. A leak that tests/safety/lsan.supp does not name (one-time
# allocations of Qt and the libraries below it) fails the run.
#
# Not part of scripts/test.sh: the sanitizer build alone takes longer than
# the whole test run. Run it after changes to object ownership:
#   bash scripts/leakcheck.sh            (GAMES=100 for the full hundred)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$top/build-lsan
games=${GAMES:-30}

cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="-fsanitize=address -fno-omit-frame-pointer -DWANDQUIZ_SANITIZED" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address" >/dev/null
cmake --build "$build" -j"$(nproc)" --target tst_longplay tst_shutdown wandquiz

work=$(mktemp -d)
pid=""
cleanup() {
  [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export HOME=$work/home XDG_DATA_HOME=$work/home/data XDG_CONFIG_HOME=$work/home/config
export XDG_RUNTIME_DIR=$work/home/run
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES='qt.multimedia*=false'
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS=suppressions=$top/tests/safety/lsan.supp:print_suppressions=1

echo "== $games games in one process"
WANDQUIZ_LONGPLAY_GAMES=$games "$build/bin/tst_longplay"
echo "== shutdown tests"
"$build/bin/tst_shutdown"

echo "== the game on a display with sound, started and closed by SIGTERM"
# The private Xvfb and PulseAudio of scripts/test.sh: the real platform and
# sound plug-ins, not the offscreen stand-in.
source "$top/scripts/start-display.sh"
source "$top/scripts/start-audio.sh"
start_display
start_audio
trap 'stop_audio; stop_display; cleanup' EXIT
env -u QT_QPA_PLATFORM --default-signal=INT "$build/bin/wandquiz" &
pid=$!
for ((i = 0; i < 6000; i++)); do
  mask=$(awk '/^SigCgt/{print $2}' "/proc/$pid/status" 2>/dev/null || true)
  [ -n "$mask" ] && (( (0x$mask >> 14) & 1 )) && break
  sleep 0.01
done
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || { echo "FAIL: the game ended with status $status" >&2; exit 1; }
echo "No leaks found."
