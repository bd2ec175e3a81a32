# Sourced by the test command, the benchmarks and the script tests: private X
# servers for running the real program in a window. Xvfb picks a free display
# itself and names it once it answers (-displayfd), so that servers started
# side by side never share one.

# start_xvfb WxH: a private Xvfb with one screen of that size; exports DISPLAY
# and sets xvfb_pid.
xvfb_pid=
start_xvfb() {
  local named i
  named=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp 3>"$named" >/dev/null 2>&1 &
  xvfb_pid=$!
  for i in $(seq 1 100); do
    if [ "$(wc -l <"$named")" -ge 1 ]; then
      export DISPLAY=":$(head -n 1 "$named")"
      rm -f "$named"
      return 0
    fi
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$named"
  xvfb_pid=
  return 1
}

stop_xvfb() {
  [ -n "$xvfb_pid" ] || return 0
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=
}

# The display of the test command and the benchmarks.
start_display() { start_xvfb 1920x1080 || { echo "Xvfb did not start" >&2; return 1; }; }
stop_display() { stop_xvfb; }
