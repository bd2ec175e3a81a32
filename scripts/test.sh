#!/usr/bin/env bash
# Installs what is missing, builds Wandquiz and runs every test. Tests that
# need a display or sound get a private Xvfb and a PulseAudio null sink, which
# are stopped again at the end.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/install-deps.sh"
bash "$top/scripts/build.sh"
# The benchmarks are compiled, not run, so that a change that breaks one shows here.
cmake --build "$top/build" -j"$(nproc)" --target benchmarks

source "$top/scripts/start-display.sh"
source "$top/scripts/start-audio.sh"
trap 'stop_audio; stop_display' EXIT
start_display
start_audio
export WANDQUIZ_REQUIRE_SOUND=1 WANDQUIZ_REQUIRE_DISPLAY=1

ctest --test-dir "$top/build" --output-on-failure -j2 "$@"
# Every reader of untrusted input under libFuzzer, 15 s each (fuzz/README.md).
bash "$top/scripts/fuzz.sh" 15
