# Sourced by the test command: a private X server for tests that run the real
# program in a window. start_display exports DISPLAY; stop_display ends it.
start_display() {
  # Xvfb picks a free display and names it once it answers (-displayfd).
  local named i
  named=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$named" >/dev/null 2>&1 &
  WANDQUIZ_XVFB_PID=$!
  for i in $(seq 1 100); do
    if [ "$(wc -l <"$named")" -ge 1 ]; then
      export DISPLAY=":$(head -n 1 "$named")"
      rm -f "$named"
      return 0
    fi
    kill -0 "$WANDQUIZ_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$named"
  echo "Xvfb did not start" >&2
  return 1
}

stop_display() {
  [ -n "${WANDQUIZ_XVFB_PID:-}" ] && kill "$WANDQUIZ_XVFB_PID" 2>/dev/null || true
  unset WANDQUIZ_XVFB_PID
}
