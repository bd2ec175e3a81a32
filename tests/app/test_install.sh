#!/usr/bin/env bash
# The build installed into a temporary prefix ("cmake --install") is whole and
# works from there: every file in place, desktop files and MIME types right,
# the wall tool reading the installed walls, the installed game starting with
# the supplied wall and saving its autosave on close (skipped without Xvfb).
#
#   bash tests/app/test_install.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: test_install.sh BUILD_DIR}" && pwd)
source "$(dirname "$0")/../support/desktop.sh"
out=$build/test-output name=install
mkdir -p "$out"
rm -f "$out"/install-*
tmp=$(mktemp -d "${TMPDIR:-/tmp}/wandquiz-install.XXXXXX")
game_pid=
cleanup() {
  [ -n "$game_pid" ] && kill -9 "$game_pid" 2>/dev/null || true
  stop_xvfb
  rm -rf "$tmp"
}
trap cleanup EXIT
fresh_home "$tmp/home"

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

need_file() { [ -f "$1" ] && [ -s "$1" ] || fail "missing or empty after installing: ${1#"$prefix"/}"; }

# Width and height of a PNG, from its header.
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

# The build tree's data folder (help, pictures, sounds, supplied walls) is
# what the program uses there, so each of its files must be installed, unchanged.
build_data=$build/share/wandquiz
if [ -d "$build_data" ]; then
  while IFS= read -r f; do
    cmp -s "$build_data/$f" "$data/$f" ||
      fail "share/wandquiz/$f of the build is not installed, or differs (build out of date?)"
  done < <(cd "$build_data" && find . -type f | sed 's|^\./||' | sort)
else
  fail "the build has no data folder $build_data"
fi
supplied=()
while IFS= read -r f; do supplied+=("$f"); done < <(find "$walls" -maxdepth 1 -type f -iname '*.lx-wqz' 2>/dev/null | sort)
[ ${#supplied[@]} -ge 2 ] || fail "the supplied walls are missing in ${walls#"$prefix"/}"
for f in "${supplied[@]}"; do
  # Every package file starts with the bytes the MIME type recognises.
  [ "$(head -c 8 "$f" | od -An -tx1 | tr -d ' \n')" = 57515a5041434b1a ] ||
    fail "${f#"$prefix"/} does not start with WQZPACK\\x1A"
done

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

# --- The installed game -------------------------------------------------------

need_tools Xvfb xdotool xprop import convert od
start_xvfb 1024x768 || cannot_run "no private Xvfb could be started"
autosave=$XDG_DATA_HOME/wandquiz/AUTO.LX-WQZ
[ ! -e "$autosave" ] || fail "an autosave exists before the game ever ran"
# Started in another folder: the data must be found beside the installed
# binary. Its board must show the supplied wall in the colours of "Blaue See".
game=$bin/wandquiz
if start_game "$out/install-start.log"; then
  convert "$tmp/shot.ppm" "$out/install-start.png"
  close_window "$wid" "$game_pid"
fi
game_pid=
# Saved on the close, from the wall it started with: the supplied one.
if [ -s "$autosave" ]; then
  topic=$(first_topic "$autosave" || echo "(not loaded)")
  [ "$topic" = Tiere ] || fail "the autosave begins with the topic '$topic', not 'Tiere' of the supplied wall"
else
  fail "the game saved no autosave on its close"
fi

# --- MIME types --------------------------------------------------------------

# The MIME database a desktop builds from the installed file must know both
# wall types, and tell a package by its content even without its extension.
need_tools update-mime-database gio
mime_db=$tmp/mime-db/mime
mkdir -p "$mime_db/packages" "$tmp/files"
cp "$mime" "$mime_db/packages/"
if ! update-mime-database "$mime_db" >"$tmp/mime.log" 2>&1 || grep -qi 'warning\|error' "$tmp/mime.log"; then
  cat "$tmp/mime.log" >&2
  fail "update-mime-database does not accept wandquiz-mime.xml"
fi
grep -q ':application/x-wandquiz-wall:\*\.lx-wqz$' "$mime_db/globs2" || fail "MIME: *.lx-wqz is not application/x-wandquiz-wall"
grep -q ':text/x-wandquiz-wall:\*\.frg$' "$mime_db/globs2" || fail "MIME: *.frg is not text/x-wandquiz-wall"
grep -qx 'text/x-wandquiz-wall text/plain' "$mime_db/subclasses" || fail "MIME: text/x-wandquiz-wall is no text/plain"
cp "$walls/AUTO.LX-WQZ" "$tmp/files/wand-ohne-endung"
printf '/ Eine Wand von Hand\r\nTH:Tiere\r\n@\r\n' >"$tmp/files/eigene.frg"
for pair in "wand-ohne-endung application/x-wandquiz-wall" "eigene.frg text/x-wandquiz-wall"; do
  got=$(XDG_DATA_DIRS="$tmp/mime-db:/usr/share" gio info -a standard::content-type "$tmp/files/${pair%% *}" 2>/dev/null |
    sed -n 's/^ *standard::content-type: //p')
  [ "$got" = "${pair#* }" ] || fail "MIME: ${pair%% *} is taken for '$got', not ${pair#* }"
done

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "installation complete and working"
