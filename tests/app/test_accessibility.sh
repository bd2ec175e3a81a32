#!/usr/bin/env bash
# The game and the wall editor as a screen reader sees them (AT-SPI), run on
# the test command's X display in a D-Bus session of its own.
set -euo pipefail
build=$(cd "$1" && pwd)
if [ -z "${DISPLAY:-}" ] || ! command -v dbus-run-session >/dev/null \
   || ! /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
  [ "${WANDQUIZ_REQUIRE_DISPLAY:-0}" = 1 ] && { echo "FAIL: no display or no AT-SPI"; exit 1; }
  echo "no display or no AT-SPI: skipped"; exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset XDG_RUNTIME_DIR
status=0
dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately 2>/dev/null &
  launcher=$!
  sleep 0.5
  /usr/bin/python3 "$1" "$2" "$3"; status=$?
  kill $launcher 2>/dev/null
  exit $status' _ "$(dirname "$0")/accessible_names.py" "$build/bin/wandquiz" "$work" >"$work/log" 2>&1 || status=$?
# The bus's own chatter is left out.
grep -v "fd limit\|XDG_RUNTIME_DIR\|Activating service\|Successfully activated\|SpiRegistry daemon" "$work/log" || true
exit "$status"
