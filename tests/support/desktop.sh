# Sourced by the script tests that run the real program on an X display
# (test_whole_program.sh, test_install.sh, test_instances.sh): counting
# failures, skipping honestly, a home of its own, a private Xvfb, finding the
# game's window and closing it as a window manager does.

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
note() { echo "note: $*"; }

# What the test needs is not here: skipped (exit status 77), or a failure
# when WANDQUIZ_REQUIRE_DISPLAY=1 asks for the display (scripts/test.sh).
cannot_run() {
  if [ "${WANDQUIZ_REQUIRE_DISPLAY:-}" = 1 ]; then
    echo "FAIL: $* (WANDQUIZ_REQUIRE_DISPLAY=1)" >&2
    exit 1
  fi
  echo "skipped: $*"
  exit 77
}

need_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null 2>&1 || cannot_run "$tool is missing (scripts/install-deps.sh installs it)"
  done
}

# A home of its own under $1: the game starts as on a fresh account, and
# nothing is read from or left in the real one.
fresh_home() {
  export HOME=$1
  export XDG_DATA_HOME=$HOME/.local/share XDG_CONFIG_HOME=$HOME/.config XDG_CACHE_HOME=$HOME/.cache
  export XDG_RUNTIME_DIR=$HOME/.run
  mkdir -p "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
}

# A private Xvfb with one screen of WxH pixels; exports DISPLAY and sets
# xvfb_pid (the caller stops it).
xvfb_pid=
start_xvfb() {
  local n i
  for n in $(seq 150 199); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${1}x24" -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for i in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.1
    done
    if [ -e "/tmp/.X11-unix/X$n" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
      export DISPLAY=:$n
      return 0
    fi
    xvfb_pid=
  done
  return 1
}
stop_xvfb() {
  [ -n "$xvfb_pid" ] || return 0
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=
}

# Prints the first visible window of process $1 whose name matches the
# extended regular expression $2 (any window without it), waiting up to
# $3 seconds (60); fails when the process ends first.
window_of() {
  local i w
  for i in $(seq 1 $((${3:-60} * 10))); do
    w=$(xdotool search --all --onlyvisible --pid "$1" ${2:+--name "$2"} 2>/dev/null | head -n 1 || true)
    [ -n "$w" ] && { echo "$w"; return 0; }
    kill -0 "$1" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# Asks window $1 of process $2 to close as a window manager does
# (WM_DELETE_WINDOW; under Xvfb there is none, and "xdotool windowclose"
# destroys the window instead of asking), then waits until the process has
# ended with status 0. The helper close_request is built in tests/app.
close_window() {
  local wid=$1 pid=$2 i status=0
  xprop -id "$wid" WM_PROTOCOLS | grep -q WM_DELETE_WINDOW ||
    fail "the game window does not take close requests (WM_DELETE_WINDOW)"
  "$build/tests/app/close_request" "$wid" || fail "the close request could not be sent"
  for i in $(seq 1 300); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    fail "the game is still running 30 s after the close request"
    kill -9 "$pid" 2>/dev/null || true
  fi
  wait "$pid" || status=$?
  [ "$status" = 0 ] || fail "the game ended with exit status $status after the close request"
}
