# Sourced by the script tests that run the real game on a private Xvfb: the
# game started and its window found, its board checked pixel by pixel against
# positions and colours written here, the window closed as a window manager
# does. The caller sets `build`, `tmp`, `out` and `name` (failure screenshots
# go to $out/$name-failure-N.png).

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
note() { echo "note: $*"; }

# What the test needs is not here: skipped (exit status 77), or a failure when
# WANDQUIZ_REQUIRE_DISPLAY=1 (scripts/test.sh) or a check failed before.
cannot_run() {
  if [ "${WANDQUIZ_REQUIRE_DISPLAY:-}" = 1 ] || [ "$failures" -gt 0 ]; then
    echo "FAIL: $* ($failures check(s) failed before; WANDQUIZ_REQUIRE_DISPLAY=${WANDQUIZ_REQUIRE_DISPLAY:-})" >&2
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

# A home of its own under $1, as on a fresh account.
fresh_home() {
  export HOME=$1
  export XDG_DATA_HOME=$HOME/.local/share XDG_CONFIG_HOME=$HOME/.config XDG_CACHE_HOME=$HOME/.cache
  export XDG_RUNTIME_DIR=$HOME/.run
  mkdir -p "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
}

# start_xvfb WxH and stop_xvfb: a private Xvfb of that size.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/start-display.sh"

# The first visible window of process $1 whose name matches the regular
# expression $2 (any without it), waiting up to $3 seconds (60).
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

# --- Where things are and how they look ---------------------------------------
#
# The window fills the screen at 15 twips a pixel, its menu bar styled 68
# pixels high (title and menu bar on a desktop), the board 1024 x 700 pixels
# below it. In twips: margins 96; the wall at 96, 96, 15168 x 8388; topics 180
# down and 1301 high, columns 3744 wide from 96, fields 48 narrower; field rows
# at 1685, 2890, 4096, 5301, 6506, 1157 or 1158 high; the group strip at 96,
# 8580, 15168 x 1728, panels 60 and 828 down, 768 high; the question panel at
# 60, 120, the wall's size, its question 1200, 150, 12768 x 6888, its buttons
# 7773 down, 555 x 4976: "Richtig" at 360, "Falsch" 5336, "Antwort" 10312,
# "Uhr Stoppen" 7824. Below in pixels ("LEFT TOP WIDTH HEIGHT"), 68 down.
menu_bar=68
declare -A R=(
  [background]="0 68 6 600"
  [lab_Frage]="84 86 851 459" [lab_Sieger]="107 130 809 447"
  [OK]="28 594 332 37" [Falsch]="360 594 332 37" [ctl_Antwort]="691 594 332 37" [ctl_Antwortbereit]="526 594 332 37"
  [Beschriftung_1]="12 695 250 51" [Beschriftung_2]="512 644 250 51" [Beschriftung_3]="512 695 250 51"
  [Punkte_1]="262 695 250 51" [Punkte_2]="761 644 250 51"
)
# Topics, fields and group 1; on a 1920 x 1080 screen (margins 180 and 135,
# the wall 28440 x 12210, topics 1891 high, field rows from 2431 every 1756,
# columns 7020 wide, the group panels 12540 down and 1035 high) they lie elsewhere.
board_geometry() {
  local cols rows field_w field_h topic_top topic_w topic_h c i
  case $1 in
    1024x768) cols=(12 262 512 761) rows=(186 267 347 427 508) field_w=246 field_h=77 topic_top=86 topic_w=250 topic_h=87
      inset=3 R[Beschriftung_0]="12 644 250 51" R[Punkte_0]="262 644 250 51" ;;
    1920x1080) cols=(24 492 960 1428) rows=(239 356 473 590 707) field_w=462 field_h=113 topic_top=89 topic_w=468
      topic_h=126 inset=5 R[Beschriftung_0]="24 904 468 69" R[Punkte_0]="492 904 468 69" ;;
  esac
  for c in 0 1 2 3; do R[Thema_$c]="${cols[c]} $topic_top $topic_w $topic_h"; done
  for i in $(seq 0 19); do R[Feld_$i]="${cols[i % 4]} ${rows[i / 4]} $field_w $field_h"; done
}
board_geometry 1024x768

# Colours in the schemes 0 "Das kleine Wandquiz", 1 "Blaue See" and 2
# "Schwarzweiß". "Richtig" takes the scores' colour, "Falsch" the names', the
# clock's buttons keep a panel's light grey.
declare -A C=(
  [background]="000000 000040 808080" [Thema]="FF00FF 00C0C0 808080"
  [Beschriftung]="FFFF00 00C0C0 808080" [Punkte]="FF0000 00FFFF C0C0C0" [SiegerFenster]="008080 000080 808080"
  [OK]="FF0000 00FFFF C0C0C0" [Falsch]="FFFF00 00C0C0 808080" [clock]="C0C0C0 C0C0C0 C0C0C0"
)
# Fields row by row: the column colours red, blue, green (#008000), yellow,
# in black and white white, #C0C0C0, white, #C0C0C0, shifted 50 %, 30 % and
# 10 % towards white, then 10 %, 30 % and 50 % towards black. A field's face
# runs from the colour of the row above it at its top to its own at its bottom.
coloured=(FF8080 8080FF 80C080 FFFF80 FF4D4D 4D4DFF 4DA64D FFFF4D FF1A1A 1A1AFF 1A8D1A FFFF1A
  E60000 0000E6 007300 E6E600 B30000 0000B3 005A00 B3B300 800000 000080 004000 808000)
black_white=(FFFFFF E0E0E0 FFFFFF E0E0E0 FFFFFF D3D3D3 FFFFFF D3D3D3 FFFFFF C6C6C6 FFFFFF C6C6C6
  E6E6E6 ADADAD E6E6E6 ADADAD B3B3B3 868686 B3B3B3 868686 808080 606060 808080 606060)
scheme=1 # the scheme every run starts with

colour_of() {
  local words
  case $1 in
    Feld_*) if [ "$scheme" = 2 ]; then echo "${black_white[${1#Feld_} + 4]}"; else echo "${coloured[${1#Feld_} + 4]}"; fi
      return ;;
    ctl_*) words=(${C[clock]}) ;;
    *) words=(${C[${1%_[0-9]*}]}) ;;
  esac
  echo "${words[scheme]}"
}

# --- The screen ----------------------------------------------------------------

ppm_width=0 ppm_offset=0
# The whole screen as a binary PPM, so that single pixels can be read with od.
take_shot() {
  import -window root -depth 8 "ppm:$tmp/shot.ppm" 2>/dev/null || return 1
  local header
  read -r -a header <<<"$(head -c 40 "$tmp/shot.ppm" | tr '\n' ' ' | tr -s ' ')"
  [ "${header[0]}" = P6 ] || return 1
  ppm_width=${header[1]}
  ppm_offset=$((${#header[0]} + ${#header[1]} + ${#header[2]} + ${#header[3]} + 4))
}
pixel() { od -An -tu1 -j $((ppm_offset + ($2 * ppm_width + $1) * 3)) -N3 "$tmp/shot.ppm"; }
# True when the pixel at X Y has the colour RRGGBB, each channel give or take
# TOLERANCE (4): the sample points lie where a panel's face has its own colour.
pixel_is() {
  local got rgb=($((16#${3:0:2})) $((16#${3:2:2})) $((16#${3:4:2}))) i d
  read -r -a got <<<"$(pixel "$1" "$2")"
  for i in 0 1 2; do
    d=$((got[i] - rgb[i]))
    [ "${d#-}" -le "${4:-4}" ] || return 1
  done
}
# Colours are read a tenth in from an element's left edge and `inset` pixels
# above its bottom edge (a field's also below its top), away from caption and
# bevel; question and winner panel at one point left of the buttons.
point() { local r=(${R[$1]}); echo $((r[0] + r[2] / 10)) $((r[1] + r[3] - inset)); }
panel_point="16 627"
shows() {
  local r=(${R[$1]})
  pixel_is $(point "$1") "$(colour_of "$1")" || return 1
  [[ $1 != Feld_* ]] || pixel_is $(point "$1" | cut -d' ' -f1) $((r[1] + inset)) "$(colour_of "Feld_$((${1#Feld_} - 4))")"
}
all_show() {
  local name
  for name in "$@"; do shows "$name" || return 1; done
}
# The blue of wall and strip in "Blaue See" shows there.
blue_ground() {
  local got
  read -r -a got <<<"$(pixel $(point "$1"))"
  [ "${got[0]}" -le 68 ] && [ "${got[1]}" -le 68 ] && [ "${got[2]}" -ge 251 ]
}
gone() { blue_ground "$1" && ! shows "$1"; }

# Takes screenshots until the check (a command) holds, at most TIMEOUT s; the
# last one is kept on a timeout.
shot_count=0
wait_screen() {
  local timeout=$1 what=$2
  shift 2
  local end=$((SECONDS + timeout))
  until take_shot && "$@"; do
    if [ "$SECONDS" -ge "$end" ]; then
      shot_count=$((shot_count + 1))
      convert "$tmp/shot.ppm" "$out/$name-failure-$shot_count.png" 2>/dev/null || true
      fail "$what (within ${timeout}s; screen: $out/$name-failure-$shot_count.png)"
      return 1
    fi
    # Uneven pauses, so that no blinking is always caught in the same phase.
    sleep "0.$((RANDOM % 3 + 1))"
  done
}

fields_all=()
for i in $(seq 0 19); do fields_all+=("Feld_$i"); done
board_complete() { all_show background Thema_0 Thema_1 Thema_2 Thema_3 "${fields_all[@]}" Beschriftung_0 Punkte_0; }

keys() { xdotool key --clearmodifiers --delay 80 "$@"; }
# Without a window manager nobody hands the keyboard to a window: the test does.
focus() { timeout 5 xdotool windowfocus --sync "$1" 2>/dev/null || true; }

# start_game LOG [ARGUMENT]: starts `game` (the built one unless set), its menu
# bar styled, and waits for its window `wid` and then for `board_ready`; with
# `resume_answer` set, the question whether to go on comes first and gets it.
board_ready=board_complete resume_answer=
start_game() {
  echo "QMenuBar { min-height: ${menu_bar}px; max-height: ${menu_bar}px; }" >"$tmp/menu-bar.qss"
  (
    cd "$HOME"
    # On the X display, one device pixel a pixel: the positions are for that.
    unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI QT_ENABLE_HIGHDPI_SCALING QT_AUTO_SCREEN_SCALE_FACTOR
    QT_QPA_PLATFORM=xcb exec "${game:-$build/bin/wandquiz}" -stylesheet "$tmp/menu-bar.qss" ${2:+"$2"}
  ) >"$1" 2>&1 &
  game_pid=$!
  if [ -n "$resume_answer" ]; then
    local question
    if question=$(window_of "$game_pid" '^Fortsetzen\?$'); then
      focus "$question"
      keys "$resume_answer"
    else
      fail "the game did not ask whether to go on with the game cut short"
    fi
  fi
  if ! wid=$(window_of "$game_pid" '^LX Werkbank // Wandquiz'); then
    cat "$1" >&2
    fail "no window of the game appeared within 60 s"
    return 1
  fi
  local size geometry
  size=$(xdotool getdisplaygeometry | tr ' ' x)
  for i in $(seq 1 40); do
    geometry=$(xdotool getwindowgeometry "$wid" | tr -s ' \n' ' ')
    [[ $geometry == *"Position: 0,0 "*"Geometry: $size "* ]] && break
    sleep 0.25
  done
  [[ $geometry == *"Position: 0,0 "*"Geometry: $size "* ]] || fail "the window does not fill the $size screen: $geometry"
  # The board begins right below the menu bar.
  menu_bar_as_styled() { pixel_is 0 "$menu_bar" "$(colour_of background)" && ! pixel_is 0 $((menu_bar - 1)) "$(colour_of background)"; }
  wait_screen 30 "the board does not begin ${menu_bar} pixels down, below the menu bar" menu_bar_as_styled || return 1
  # The build-up uncovers the rows one after the other.
  wait_screen 30 "the board did not build up as it should ($board_ready)" "$board_ready"
}

# Asks window $1 of process $2 to close (WM_DELETE_WINDOW, as a window manager
# does; "xdotool windowclose" would destroy it) and waits for exit status 0.
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
