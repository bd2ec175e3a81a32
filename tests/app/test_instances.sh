#!/usr/bin/env bash
# One game at a time: a second start without "/NEW" shows its message and
# ends, with "/NEW" it runs, and an instance that crashed blocks nothing.
# Runs the real program on a screen of its own (Xvfb).
set -euo pipefail
build=$(cd "$1" && pwd)
source "$(dirname "$0")/../support/desktop.sh"
game=$build/bin/wandquiz
need_tools Xvfb xdotool xprop
work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null || true; done
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
start_xvfb 1024x768 || cannot_run "no private Xvfb could be started"
fresh_home "$work/home"

# Starts the game with these arguments; its pid is `started`.
start() {
  "$game" "$@" 2>>"$work/game.log" &
  started=$!
  pids+=("$started")
}
# The title of window $1 as the window manager reads it.
title_of() { xprop -id "$1" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p'; }
# Waits up to $2 tenths of a second for process $1 to end.
ends_within() {
  local i
  for i in $(seq 1 "$2"); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}
# A start with these arguments is refused: its message box, untitled, must
# come, be confirmed and end it.
refused() {
  local box
  start "$@"
  box=$(window_of "$started" "" 10) || { fail "no message for a start with: $*"; return; }
  [ -z "$(title_of "$box")" ] || fail "the message box is titled '$(title_of "$box")'"
  xdotool windowfocus --sync "$box" key Return
  if ends_within "$started" 100; then
    wait "$started" || fail "a start with '$*' ended with an error"
  else
    fail "a start with '$*' did not end after its message"
    kill -9 "$started"
  fi
}

start
first=$started
main=$(window_of "$first") || fail "the first instance shows no window"
sleep 1
# Every title is the program's own, nothing appended.
[ "$(title_of "$main")" = "LX Werkbank // Wandquiz " ] || fail "main window title: '$(title_of "$main")'"

# A second start, and one naming a wall on a stick called NEWSTICK: no switch.
refused
mkdir -p "$work/media/NEWSTICK"
refused "$work/media/NEWSTICK/wand.frg"
[ -e "$XDG_DATA_HOME/wandquiz/AUTO.LX-WQZ" ] && fail "a refused start wrote the autosave"
kill -0 "$first" 2>/dev/null || fail "the first instance ended too"

# "/NEW" as an argument lets another one run.
start --x /NEW
third=$started
window_of "$third" >/dev/null || fail "the instance started with /NEW shows no window"
sleep 1
kill -0 "$third" 2>/dev/null || fail "the instance started with /NEW ended"

# The first one closes; the one started with /NEW still counts as running.
kill -TERM "$first"
ends_within "$first" 50 || fail "the first instance did not close on SIGTERM"
refused
kill -9 "$third"
{ wait "$third"; } 2>/dev/null || true
start
fourth=$started
window_of "$fourth" >/dev/null || fail "a start after a crash shows no window"
sleep 1.5
kill -0 "$fourth" 2>/dev/null || fail "a start after a crash was refused"
# "&Beenden" asks in a box titled exactly "Ende?".
xdotool windowfocus --sync "$(window_of "$fourth")" key ctrl+q
if ende=$(window_of "$fourth" '^Ende\?$' 5); then
  xdotool windowfocus --sync "$ende" key Escape
else
  fail "no box titled 'Ende?'"
fi

[ "$failures" -eq 0 ] || exit 1
echo "instances: all checks passed"
