#!/usr/bin/env bash
# One game at a time: a second start without "/NEW" shows its message and
# ends, with "/NEW" it runs, and an instance that crashed blocks nothing.
# Runs the real program on the test command's X display.
set -euo pipefail
build=$(cd "$1" && pwd)
game="$build/bin/wandquiz"

if [ -z "${DISPLAY:-}" ]; then
  [ "${WANDQUIZ_REQUIRE_DISPLAY:-0}" = 1 ] && { echo "FAIL: no DISPLAY"; exit 1; }
  echo "no X display: skipped"; exit 77
fi

work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
export HOME="$work/home" XDG_DATA_HOME="$work/home/.local/share" XDG_CONFIG_HOME="$work/home/.config"
unset XDG_RUNTIME_DIR
mkdir -p "$HOME"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Waits until process $1 has a visible window; prints its id.
window_of() {
  local i
  for i in $(seq 1 100); do
    local w
    w=$(xdotool search --onlyvisible --pid "$1" 2>/dev/null | head -1 || true)
    [ -n "$w" ] && { echo "$w"; return 0; }
    kill -0 "$1" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# The title of window $1 as the window manager reads it.
title_of() {
  xprop -id "$1" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p'
}

# Waits up to $2 tenths of a second for process $1 to end.
ends_within() {
  local i
  for i in $(seq 1 "$2"); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}

"$game" 2>"$work/first.log" &
first=$!; pids+=("$first")
main=$(window_of "$first") || fail "the first instance shows no window"
sleep 1
autosave="$XDG_DATA_HOME/wandquiz/AUTO.LX-WQZ"
# Every title is the program's own, nothing appended.
[ "$(title_of "$main")" = "LX Werkbank // Wandquiz " ] || fail "main window title: '$(title_of "$main")'"

# A second start: a message box of its own, then it ends when confirmed.
"$game" 2>"$work/second.log" &
second=$!; pids+=("$second")
if box=$(window_of "$second"); then
  [ -z "$(title_of "$box")" ] || fail "the message box is titled '$(title_of "$box")'"
  xdotool windowfocus --sync "$box" key Return
  ends_within "$second" 50 || fail "the second instance did not end after its message"
  wait "$second" || fail "the second instance ended with an error"
else
  fail "the second instance showed no message box"
fi
[ -e "$autosave" ] && fail "the second instance wrote the autosave"
kill -0 "$first" 2>/dev/null || fail "the first instance ended too"

# Refused: a start whose message box must come, be confirmed and end it.
refused() {
  local pid box
  "$game" "$@" 2>>"$work/refused.log" &
  pid=$!; pids+=("$pid")
  box=$(window_of "$pid") || { fail "no message for a start with: $*"; return; }
  xdotool windowfocus --sync "$box" key Return
  ends_within "$pid" 50 || fail "a start with '$*' did not end after its message"
}

# "/NEW" as an argument lets a second one run; a path through a stick called
# NEWSTICK is no such switch.
mkdir -p "$work/media/NEWSTICK"
refused "$work/media/NEWSTICK/wand.frg"
"$game" --x /NEW 2>"$work/third.log" &
third=$!; pids+=("$third")
window_of "$third" >/dev/null || fail "the instance started with /NEW shows no window"
sleep 1
kill -0 "$third" 2>/dev/null || fail "the instance started with /NEW ended"

# The first one closes; the one started with /NEW still counts as running.
kill -TERM "$first"
ends_within "$first" 50 || fail "the first instance did not close on SIGTERM"
refused
kill -9 "$third"
"$game" 2>"$work/fourth.log" &
fourth=$!; pids+=("$fourth")
window_of "$fourth" >/dev/null || fail "a start after a crash shows no window"
sleep 1.5
kill -0 "$fourth" 2>/dev/null || fail "a start after a crash was refused"
# "&Beenden" asks in a box titled exactly "Ende?".
xdotool windowfocus --sync "$(window_of "$fourth")" key ctrl+q
sleep 1
ende=$(xdotool search --onlyvisible --pid "$fourth" --name '^Ende\?$' 2>/dev/null | head -1 || true)
[ -n "$ende" ] || fail "no box titled 'Ende?'"
[ -n "$ende" ] && xdotool windowfocus --sync "$ende" key Escape

[ "$failures" -eq 0 ] && echo "instances: all checks passed"
exit "$failures"
