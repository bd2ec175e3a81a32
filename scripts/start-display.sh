# Sourced by the test command: a private X server for tests that run the real
# program in a window. start_display exports DISPLAY; stop_display ends it.
start_display() {
  local n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
    WANDQUIZ_XVFB_PID=$!
    # Ready when it answers, not when its socket appears: on a busy machine a
    # client that comes in between cannot connect.
    local i
    for i in $(seq 1 100); do
      xdpyinfo -display ":$n" >/dev/null 2>&1 && break
      sleep 0.1
    done
    export DISPLAY=":$n"
    return 0
  done
  echo "no free display for Xvfb" >&2
  return 1
}

stop_display() {
  [ -n "${WANDQUIZ_XVFB_PID:-}" ] && kill "$WANDQUIZ_XVFB_PID" 2>/dev/null || true
  unset WANDQUIZ_XVFB_PID
}
