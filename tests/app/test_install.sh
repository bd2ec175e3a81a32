#!/usr/bin/env bash
# Installs the build into a temporary prefix, as "cmake --install" does for a
# package, and checks that the installed program is whole and works from
# there: every file in its place, the desktop files valid, the wall tool
# reading the installed walls and, with a display, the installed game starting
# with the supplied wall and saving its autosave on a normal close.
#
#   bash tests/app/test_install.sh BUILD_DIR
#
# Without DISPLAY the game is not started and the test, its files checked,
# counts as skipped (exit status 77), unless WANDQUIZ_REQUIRE_DISPLAY=1 asks
# for it: then that is a failure.
set -euo pipefail

build=$(cd "${1:?usage: test_install.sh BUILD_DIR}" && pwd)
out=$build/test-output
mkdir -p "$out"

tmp=$(mktemp -d "${TMPDIR:-/tmp}/wandquiz-install.XXXXXX")
game_pid=
cleanup() {
  # A game that did not end must not outlive the test.
  if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then
    kill "$game_pid" 2>/dev/null || true
    sleep 1
    kill -9 "$game_pid" 2>/dev/null || true
  fi
  rm -rf "$tmp"
}
trap cleanup EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
note() { echo "note: $*"; }

# Everything started here gets a home of its own, so nothing is read from or
# left in the real one, and the game starts as on a fresh account.
export HOME=$tmp/home
export XDG_DATA_HOME=$HOME/.local/share XDG_CONFIG_HOME=$HOME/.config XDG_CACHE_HOME=$HOME/.cache
export XDG_RUNTIME_DIR=$tmp/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# --- Installing ------------------------------------------------------------

prefix=$tmp/prefix
# DESTDIR from the caller's environment would put the files elsewhere.
if ! env -u DESTDIR cmake --install "$build" --prefix "$prefix" >"$out/install.log" 2>&1; then
  cat "$out/install.log" >&2
  echo "FAIL: cmake --install failed" >&2
  exit 1
fi

bin=$prefix/bin
share=$prefix/share
data=$share/wandquiz
walls=$data/Apps/Wandquiz/Data

need_file() {
  if [ ! -f "$1" ] || [ ! -s "$1" ]; then fail "missing or empty after installing: ${1#"$prefix"/}"; fi
}

# Width and height of a PNG, read from its header: no image tool needed.
png_size() {
  local b
  read -r -a b < <(od -An -tu1 -j16 -N8 "$1")
  [ ${#b[@]} -eq 8 ] || return 1
  echo "$(((b[0] << 24) | (b[1] << 16) | (b[2] << 8) | b[3]))x$(((b[4] << 24) | (b[5] << 16) | (b[6] << 8) | b[7]))"
}

# --- The programs ----------------------------------------------------------

for program in wandquiz wandquiz-wall; do
  [ -x "$bin/$program" ] || fail "program not installed: bin/$program"
done
# Sound is a module the game loads once its board is painted.
[ -n "$(find "$prefix" -path '*/wandquiz/libwandquiz_sound.so' 2>/dev/null)" ] || fail "sound module not installed"
# Build helpers and test programs are not part of the installed program.
for extra in "$bin"/make_* "$bin"/tst_*; do
  if [ -e "$extra" ]; then fail "build tool installed: ${extra#"$prefix"/}"; fi
done

# --- The data folder -------------------------------------------------------

for f in help.rtf joker.png wandquiz.png Apps/Wandquiz/Data/AUTO.LX-WQZ; do
  need_file "$data/$f"
done
[ -n "$(find "$data/images" -type f \( -iname '*.png' -o -iname '*.jpg' \) 2>/dev/null)" ] ||
  fail "no pictures in share/wandquiz/images"
[ -n "$(find "$data/sounds" -type f -iname '*.wav' 2>/dev/null)" ] ||
  fail "no sounds in share/wandquiz/sounds"
supplied=()
while IFS= read -r f; do supplied+=("$f"); done < <(find "$walls" -maxdepth 1 -type f -iname '*.lx-wqz' 2>/dev/null | sort)
[ ${#supplied[@]} -ge 2 ] || fail "the supplied walls are missing in ${walls#"$prefix"/}"
for f in "${supplied[@]}"; do
  # Every package file starts with the bytes the MIME type recognises.
  [ "$(head -c 8 "$f" | od -An -tx1 | tr -d ' \n')" = 57515a5041434b1a ] ||
    fail "${f#"$prefix"/} does not start with WQZPACK\\x1A"
done

# The build tree's data folder is what the program uses there, so each of its
# files must be installed, unchanged.
build_data=$build/share/wandquiz
if [ -d "$build_data" ]; then
  while IFS= read -r f; do
    cmp -s "$build_data/$f" "$data/$f" ||
      fail "share/wandquiz/$f of the build is not installed, or differs (build out of date?)"
  done < <(cd "$build_data" && find . -type f | sed 's|^\./||' | sort)
else
  fail "the build has no data folder $build_data"
fi

# --- Desktop integration ---------------------------------------------------

desktop=$share/applications/wandquiz.desktop
mime=$share/mime/packages/wandquiz-mime.xml
metainfo=$share/metainfo/de.wandquiz.Wandquiz.metainfo.xml
icons=$share/icons/hicolor
need_file "$desktop"
need_file "$mime"
need_file "$metainfo"
need_file "$icons/scalable/apps/wandquiz.svg"
grep -q '<svg' "$icons/scalable/apps/wandquiz.svg" 2>/dev/null || fail "the scalable icon is no SVG"
for size in 16 32 48 128 256; do
  png=$icons/${size}x${size}/apps/wandquiz.png
  need_file "$png"
  [ -f "$png" ] || continue
  got=$(png_size "$png" || echo "unreadable")
  [ "$got" = "${size}x${size}" ] || fail "${png#"$prefix"/} is $got, not ${size}x${size}"
done
# The window icon is the same picture as the menu icon.
cmp -s "$icons/256x256/apps/wandquiz.png" "$data/wandquiz.png" ||
  fail "share/wandquiz/wandquiz.png differs from the 256 px icon"

if [ -f "$desktop" ]; then
  # A key of the main group, without translations.
  entry() { sed -n "/^\[Desktop Entry\]/,/^\[/s/^$1=//p" "$desktop" | head -n 1; }
  exec_line=$(entry Exec)
  [ -x "$bin/${exec_line%% *}" ] || fail "Exec=$exec_line does not start an installed program"
  # The file a file manager opens with it must reach the program.
  case " $exec_line " in *" %f "* | *" %F "* | *" %u "* | *" %U "*) ;; *) fail "Exec=$exec_line passes no file" ;; esac
  icon=$(entry Icon)
  [ -f "$icons/scalable/apps/$icon.svg" ] || fail "Icon=$icon is not an installed icon"
  [ "$(entry Terminal)" = false ] || fail "the desktop file does not say Terminal=false"
  mime_types=$(entry MimeType)
  [ -n "$mime_types" ] || fail "the desktop file names no MIME types"
  IFS=';' read -r -a types <<<"$mime_types"
  for t in "${types[@]}"; do
    [ -z "$t" ] && continue
    grep -q "<mime-type type=\"$t\"" "$mime" 2>/dev/null || fail "MimeType $t is not defined in wandquiz-mime.xml"
  done
fi

if [ -f "$metainfo" ]; then
  launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
  if [ -z "$launchable" ] || [ ! -f "$share/applications/$launchable" ]; then
    fail "metainfo launchable '$launchable' is not an installed desktop file"
  fi
  while IFS= read -r b; do
    [ -x "$bin/$b" ] || fail "metainfo names the binary $b, which is not installed"
  done < <(sed -n 's:.*<binary>\(.*\)</binary>.*:\1:p' "$metainfo")
  grep -q '<release version="1.0.0"' "$metainfo" || fail "metainfo has no release 1.0.0"
fi

# The validators are not needed to build or run, so they check where installed.
if command -v desktop-file-validate >/dev/null 2>&1; then
  # It fails only on errors; a warning counts here too. Hints are allowed.
  if ! report=$(desktop-file-validate "$desktop" 2>&1) || grep -Eq ': (error|warning): ' <<<"$report"; then
    echo "$report" >&2
    fail "desktop-file-validate rejects wandquiz.desktop"
  fi
else
  note "desktop-file-validate not installed: desktop file not validated"
fi
if command -v appstreamcli >/dev/null 2>&1; then
  if ! report=$(appstreamcli validate --no-net --strict "$metainfo" 2>&1); then
    echo "$report" >&2
    fail "appstreamcli rejects the metainfo file"
  fi
else
  note "appstreamcli not installed: metainfo not validated"
fi

# The MIME database a desktop builds from the installed file must know both
# wall types, and tell a package by its content even without its extension.
if command -v update-mime-database >/dev/null 2>&1; then
  mime_db=$tmp/mime-db/mime
  mkdir -p "$mime_db/packages"
  cp "$mime" "$mime_db/packages/"
  if update-mime-database "$mime_db" >"$tmp/mime.log" 2>&1 && ! grep -qi 'warning\|error' "$tmp/mime.log"; then
    grep -q ':application/x-wandquiz-wall:\*\.lx-wqz$' "$mime_db/globs2" || fail "MIME: *.lx-wqz is not application/x-wandquiz-wall"
    grep -q ':text/x-wandquiz-wall:\*\.frg$' "$mime_db/globs2" || fail "MIME: *.frg is not text/x-wandquiz-wall"
    grep -qx 'text/x-wandquiz-wall text/plain' "$mime_db/subclasses" || fail "MIME: text/x-wandquiz-wall is no text/plain"
    grep -qa 'WQZPACK' "$mime_db/magic" || fail "MIME: no magic for WQZPACK"
    if command -v gio >/dev/null 2>&1; then
      content_type() {
        XDG_DATA_DIRS="$tmp/mime-db:/usr/share" gio info -a standard::content-type "$1" 2>/dev/null |
          sed -n 's/^ *standard::content-type: //p'
      }
      mkdir -p "$tmp/files"
      cp "$walls/AUTO.LX-WQZ" "$tmp/files/wand-ohne-endung"
      printf '/ Eine Wand von Hand\r\nTH:Tiere\r\n@\r\n' >"$tmp/files/eigene.frg"
      for pair in "wand-ohne-endung application/x-wandquiz-wall" "eigene.frg text/x-wandquiz-wall"; do
        got=$(content_type "$tmp/files/${pair%% *}")
        [ "$got" = "${pair#* }" ] || fail "MIME: ${pair%% *} is taken for '$got', not ${pair#* }"
      done
    else
      note "gio not installed: MIME detection of wall files not tried"
    fi
  else
    cat "$tmp/mime.log" >&2
    fail "update-mime-database does not accept wandquiz-mime.xml"
  fi
else
  note "update-mime-database not installed: MIME file not tried"
fi

# --- The wall tool on the installed walls ----------------------------------

# Prints the first topic of a wall the tool dumped, empty if it did not load.
first_topic() {
  local dump
  dump=$("$bin/wandquiz-wall" dump "$1" 2>"$tmp/dump.err") || { cat "$tmp/dump.err" >&2; return 1; }
  grep -q '"loaded": *true' <<<"$dump" || return 1
  grep -o '"topics": *\[ *"[^"]*"' <<<"$dump" | sed 's/.*"\([^"]*\)"$/\1/'
}
for f in "${supplied[@]}"; do
  first_topic "$f" >/dev/null || fail "the installed wall tool does not load ${f#"$prefix"/}"
done
topic=$(first_topic "$walls/AUTO.LX-WQZ" || echo "(not loaded)")
[ "$topic" = Tiere ] || fail "the supplied AUTO.LX-WQZ begins with the topic '$topic', not 'Tiere'"

# --- The installed game on a display ---------------------------------------

# Asks the window to close the way a window manager does (WM_DELETE_WINDOW),
# which the game answers by saving its autosave. Under Xvfb there is no window
# manager, and "xdotool windowclose" destroys the window instead of asking.
send_close_request() {
  python3 - "$1" <<'EOF'
import ctypes, sys
x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]
class Event(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.POINTER(Event)]
x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
x.XCloseDisplay.argtypes = [ctypes.c_void_p]
display = x.XOpenDisplay(None)
if not display:
    sys.exit("cannot open the display")
window = int(sys.argv[1], 0)
event = Event()
event.xclient.type = 33  # ClientMessage
event.xclient.window = window
event.xclient.message_type = x.XInternAtom(display, b"WM_PROTOCOLS", 0)
event.xclient.format = 32
event.xclient.data[0] = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
event.xclient.data[1] = 0  # CurrentTime
if not x.XSendEvent(display, window, 0, 0, ctypes.byref(event)):
    sys.exit("XSendEvent failed")
x.XSync(display, 0)
x.XCloseDisplay(display)
EOF
}

# The shares of a picture's pixels in the clear red, yellow, green and blue
# of the board's columns, judged by hue so that every shade of a column
# counts, the darker lower fields as well. Fails unless each is at least $2.
board_colours() {
  # Every fourth pixel is plenty to measure shares, and much quicker.
  convert "$1" -alpha off -sample 25% -depth 8 txt:- | awk -v min="$2" '
    match($0, /\([0-9]+,[0-9]+,[0-9]+\)/) {
      split(substr($0, RSTART + 1, RLENGTH - 2), c, ",")
      n++; r = c[1]; g = c[2]; b = c[3]
      hi = r > g ? r : g; hi = hi > b ? hi : b
      lo = r < g ? r : g; lo = lo < b ? lo : b
      d = hi - lo; l = (hi + lo) / 510
      if (d == 0 || l <= 0.15 || l >= 0.9) next
      s = d / (255 - (hi + lo > 255 ? hi + lo - 255 : 255 - hi - lo))
      if (s <= 0.5) next
      if (hi == r) h = (g - b) / d; else if (hi == g) h = (b - r) / d + 2; else h = (r - g) / d + 4
      h *= 60; if (h < 0) h += 360
      if (h < 11 || h >= 349) red++
      else if (h >= 50 && h < 69) yellow++
      else if (h >= 108 && h < 133) green++
      else if (h >= 227 && h < 252) blue++
    }
    END {
      if (n == 0) { print "no pixels read"; exit 1 }
      printf "red %.3f, yellow %.3f, green %.3f, blue %.3f\n", red / n, yellow / n, green / n, blue / n
      exit !(red / n >= min && yellow / n >= min && green / n >= min && blue / n >= min)
    }'
}

check_game() {
  local tool
  for tool in xdotool xprop import convert python3; do
    if ! command -v "$tool" >/dev/null 2>&1; then
      fail "$tool is missing for starting the game (scripts/install-deps.sh installs it)"
      return
    fi
  done
  local autosave=$XDG_DATA_HOME/wandquiz/AUTO.LX-WQZ
  [ ! -e "$autosave" ] || fail "an autosave exists before the game ever ran"

  # Started in another folder: the data must be found beside the installed
  # binary, not in the working directory.
  (cd "$tmp" && exec "$bin/wandquiz") >"$out/install-start.log" 2>&1 &
  game_pid=$!

  local wid=""
  for _ in $(seq 1 120); do
    if ! kill -0 "$game_pid" 2>/dev/null; then
      cat "$out/install-start.log" >&2
      fail "the installed game ended before showing its window"
      game_pid=
      return
    fi
    # Its own window only: other tests may run the game on the same display.
    wid=$(xdotool search --all --onlyvisible --pid "$game_pid" --name '^LX Werkbank // Wandquiz' 2>/dev/null | head -n 1 || true)
    [ -n "$wid" ] && break
    sleep 0.5
  done
  if [ -z "$wid" ]; then
    cat "$out/install-start.log" >&2
    fail "no window 'LX Werkbank // Wandquiz' of the installed game appeared within 60 s"
    return
  fi
  local title
  title=$(xdotool getwindowname "$wid")
  echo "window $wid: $title"
  [[ $title == "LX Werkbank // Wandquiz"* ]] || fail "window title is '$title'"

  # The board is built up field by field: take pictures until it shows the
  # red, yellow, green and blue of the columns and has stopped changing.
  # (Blue is also the background of the colour scheme the game starts with.)
  # Each column of five fields fills about an eighth of the window.
  local shot=$out/install-start.png colours=0 shares="" previous="" complete=0
  for _ in $(seq 1 40); do
    sleep 0.5
    import -window "$wid" "$shot" 2>/dev/null || continue
    colours=$(convert "$shot" -format '%k' info:)
    complete=1
    shares=$(board_colours "$shot" 0.02) || complete=0
    if [ "$complete" = 1 ] && [ "$colours" -ge 64 ] && [ "$shares" = "$previous" ]; then break; fi
    previous=$shares
  done
  echo "screenshot: $shot ($colours colours; $shares)"
  if [ ! -s "$shot" ]; then
    fail "no screenshot of the game window could be taken"
  elif [ "$complete" != 1 ] || [ "$colours" -lt 64 ]; then
    fail "the game window does not show the board with its red, yellow, green and blue columns"
  fi

  xprop -id "$wid" WM_PROTOCOLS | grep -q WM_DELETE_WINDOW ||
    fail "the game window does not take close requests (WM_DELETE_WINDOW)"
  send_close_request "$wid" || fail "the close request could not be sent"
  for _ in $(seq 1 60); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.5
  done
  if kill -0 "$game_pid" 2>/dev/null; then
    cat "$out/install-start.log" >&2
    fail "the game is still running 30 s after the close request"
    return
  fi
  local rc=0
  wait "$game_pid" || rc=$?
  game_pid=
  [ "$rc" = 0 ] || fail "the game ended with exit status $rc after the close request"

  # Saved on the close, from the wall it started with: the supplied one.
  if [ -s "$autosave" ]; then
    topic=$(first_topic "$autosave" || echo "(not loaded)")
    [ "$topic" = Tiere ] ||
      fail "the autosave begins with the topic '$topic', not 'Tiere' of the supplied wall"
  else
    fail "the game saved no autosave ${autosave#"$HOME"/} on its close"
  fi
}

if [ -n "${DISPLAY:-}" ]; then
  check_game
elif [ "${WANDQUIZ_REQUIRE_DISPLAY:-}" = 1 ]; then
  fail "DISPLAY is not set, but WANDQUIZ_REQUIRE_DISPLAY=1 asks to start the game"
else
  note "DISPLAY is not set: the installed game was not started (scripts/test.sh provides an Xvfb)"
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
# The files checked, the game not started: skipped (SKIP_RETURN_CODE 77).
[ -n "${DISPLAY:-}" ] || exit 77
echo "installation complete and working"
