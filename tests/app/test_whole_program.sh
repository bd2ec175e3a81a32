#!/usr/bin/env bash
# The whole program as a person uses it: the real game on the display, played
# through a small wall of our own to the end by real mouse clicks and key
# presses (xdotool), everything it plays recorded from the sound sink.
#
#   bash tests/app/test_whole_program.sh BUILD_DIR
#
# Clicks go where the game's own layout function puts things (board_positions)
# and each step waits until the screen shows what it should, judged by the
# colours at those places. At the end the scores and the winner are read off
# the screen (tesseract), the autosave must load, and the recording must hold
# the answer clock's ticks one second apart. Screenshots of the board in all
# three colour schemes at 1024x768 and 1920x1080 are left in
# BUILD_DIR/test-output/.
#
# Without DISPLAY nothing is started and the test is skipped (exit status
# 77), unless WANDQUIZ_REQUIRE_DISPLAY=1 asks for it: then that is a failure.
set -euo pipefail

build=$(cd "${1:?usage: test_whole_program.sh BUILD_DIR}" && pwd)
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
bin=$build/bin
helpers=$build/tests/app
out=$build/test-output
mkdir -p "$out"
# What an earlier run left must not be taken for this run's.
rm -f "$out"/whole-* "$out"/board-*-scheme*.png

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
note() { echo "note: $*"; }
step() { echo "--- $*"; }

if [ -z "${DISPLAY:-}" ]; then
  if [ "${WANDQUIZ_REQUIRE_DISPLAY:-}" = 1 ]; then
    echo "FAIL: DISPLAY is not set, but WANDQUIZ_REQUIRE_DISPLAY=1 asks to play the game" >&2
    exit 1
  fi
  note "DISPLAY is not set: the game was not played (scripts/test.sh provides an Xvfb)"
  exit 77   # skipped (SKIP_RETURN_CODE in tests/CMakeLists.txt)
fi

for tool in xdotool xprop import convert tesseract parec pactl Xvfb od; do
  command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done
tesseract --list-langs 2>/dev/null | grep -qx deu ||
  { echo "FAIL: tesseract has no German (tesseract-ocr-deu)" >&2; exit 1; }
for program in "$bin/wandquiz" "$bin/wandquiz-wall" "$helpers/board_positions" "$helpers/count_ticks" \
  "$helpers/close_request"; do
  [ -x "$program" ] || { echo "FAIL: $program is not built" >&2; exit 1; }
done
tick_sound=$build/share/wandquiz/sounds/time4.wav
[ -s "$tick_sound" ] || { echo "FAIL: the build has no $tick_sound" >&2; exit 1; }

tmp=$(mktemp -d "${TMPDIR:-/tmp}/wandquiz-whole.XXXXXX")
game_pid=
parec_pid=
xvfb_pid=
own_audio=
main_display=$DISPLAY
cleanup() {
  # Nothing started here may outlive the test.
  if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then
    kill "$game_pid" 2>/dev/null || true
    sleep 1
    kill -9 "$game_pid" 2>/dev/null || true
  fi
  [ -n "$parec_pid" ] && kill "$parec_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  [ -n "$own_audio" ] && stop_audio
  rm -rf "$tmp"
}
trap cleanup EXIT

# A home of its own: the game starts as on a fresh account, nothing is read
# from or left in the real one.
export HOME=$tmp/home
export XDG_DATA_HOME=$HOME/.local/share XDG_CONFIG_HOME=$HOME/.config XDG_CACHE_HOME=$HOME/.cache
export XDG_RUNTIME_DIR=$tmp/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
autosave=$XDG_DATA_HOME/wandquiz/AUTO.LX-WQZ
# On the X display, at one device pixel per pixel: the positions are worked
# out for that.
export QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI QT_ENABLE_HIGHDPI_SCALING QT_AUTO_SCREEN_SCALE_FACTOR

# --- The wall ----------------------------------------------------------------

# Per topic the five fields from 20 to 100 points: question, answer, picture.
# Field i of the board is row i/4 of topic i%4: the joker is field 9 (60
# points), the risk field is field 14 (80 points).
wall_file=$tmp/Testwand.frg
cat >"$wall_file" <<'EOF'
/ Wand des Tests, der das ganze Programm spielt
TH:Planeten
Welcher Planet heißt der Rote Planet?
Mars

Welcher Planet ist der größte?
Jupiter

Welcher Planet hat die bekanntesten Ringe?
Saturn

Welcher Planet ist der Sonne am nächsten?
Merkur

Wie viele Planeten hat unser Sonnensystem?
Acht

@
TH:Früchte
Welche Frucht ist gelb und krumm?
Banane

Aus welcher Frucht macht man Wein?
Trauben

JOKER
Glückwunsch!

Welche Frucht trägt ihre Kerne außen?
Erdbeere

Woher stammt die Kiwi?
China

@
TH:Zahlen
Wie viel ist zwei plus zwei?
Vier

Wie viele Tage hat eine Woche?
Sieben

Wie viel ist neun mal neun?
81

RISIKO:Wie viel ist sieben mal acht?
56

Wie viele Sekunden hat eine Stunde?
3600

@
TH:Musik
Wie viele Saiten hat eine Gitarre?
Sechs

Wer schrieb die Zauberflöte?
Mozart

Wie viele Tasten hat ein Klavier?
88

Welches Instrument hat Pfeifen?
Orgel

Wie viele Linien hat ein Notensystem?
Fünf

@
EOF
topics='"Planeten", "Früchte", "Zahlen", "Musik"'

# --- Sound -------------------------------------------------------------------

sound=1
if ! pactl list short sinks 2>/dev/null | grep -q 'wandquiz_null'; then
  # Run alone, the test brings its own sound server.
  source "$source_dir/scripts/start-audio.sh"
  if start_audio; then
    own_audio=1
  elif [ "${WANDQUIZ_REQUIRE_SOUND:-}" = 1 ]; then
    fail "no sound server with the sink wandquiz_null, and none could be started"
    sound=
  else
    note "no sound server: the clock's ticks are not checked"
    sound=
  fi
fi
recording=$tmp/sound.raw
if [ -n "$sound" ]; then
  parec --device=wandquiz_null.monitor --format=s16le --rate=48000 --channels=1 --raw --latency-msec=20 \
    >"$recording" 2>"$tmp/parec.log" &
  parec_pid=$!
fi

# --- The screen --------------------------------------------------------------

shot=$tmp/shot.ppm
# The whole screen as a binary PPM, so single pixels can be read with od.
shoot() { import -window root -depth 8 "ppm:$1" 2>/dev/null; }

ppm_width=0 ppm_offset=0
ppm_header() {
  local header
  header=$(head -c 40 "$1" | tr '\n' ' ' | tr -s ' ')
  read -r -a header <<<"$header"
  [ "${header[0]}" = P6 ] || return 1
  ppm_width=${header[1]}
  ppm_offset=$((${#header[0]} + ${#header[1]} + ${#header[2]} + ${#header[3]} + 4))
}

# "R G B" of the pixel at X Y of the last screenshot.
pixel() {
  od -An -tu1 -j $((ppm_offset + ($2 * ppm_width + $1) * 3)) -N3 "$shot" | tr -s ' ' | sed 's/^ //'
}

# True when the pixel at X Y is R G B, give or take the rounding of a
# gradient: the screen has 24-bit colour, so nothing else blurs them.
pixel_is() {
  local got
  read -r -a got <<<"$(pixel "$1" "$2")"
  [ ${#got[@]} -eq 3 ] || return 1
  local i rgb=("$3" "$4" "$5") d
  for i in 0 1 2; do
    d=$((got[i] - rgb[i]))
    [ "${d#-}" -le 6 ] || return 1
  done
}

# The element's place and its expected colour in the scheme on show, from the
# game's layout (board_positions); loaded by read_positions.
declare -A P_LEFT P_TOP P_W P_H P_CX P_CY C_X C_Y C_RGB

read_positions() {
  local name left top w h cx cy line
  P_LEFT=() P_TOP=() P_W=() P_H=() P_CX=() P_CY=() C_X=() C_Y=() C_RGB=()
  while read -r -a line; do
    if [ "${line[0]}" = colour ]; then
      C_X[${line[1]}]=${line[2]} C_Y[${line[1]}]=${line[3]} C_RGB[${line[1]}]="${line[4]} ${line[5]} ${line[6]}"
    else
      read -r name left top w h cx cy <<<"${line[*]}"
      P_LEFT[$name]=$left P_TOP[$name]=$top P_W[$name]=$w P_H[$name]=$h P_CX[$name]=$cx P_CY[$name]=$cy
    fi
  done <"$1"
}

# True when the element shows its colour of the current scheme.
shows() {
  [ -n "${C_X[$1]:-}" ] || { echo "no colour for $1" >&2; return 1; }
  # shellcheck disable=SC2086
  pixel_is "${C_X[$1]}" "${C_Y[$1]}" ${C_RGB[$1]}
}
all_show() {
  local name
  for name in "$@"; do shows "$name" || return 1; done
}

shot_count=0
# Takes screenshots until the check (a command) holds, at most TIMEOUT s.
# On a timeout the last screenshot is kept for whoever reads the failure.
wait_screen() {
  local timeout=$1 what=$2
  shift 2
  local end=$((SECONDS + timeout))
  while :; do
    if shoot "$shot" && ppm_header "$shot" && "$@"; then return 0; fi
    if [ "$SECONDS" -ge "$end" ]; then
      shot_count=$((shot_count + 1))
      local kept=$out/whole-failure-$shot_count.png
      convert "$shot" "$kept" 2>/dev/null || true
      fail "$what (within ${timeout}s; screen: $kept)"
      return 1
    fi
    # Uneven pauses, so that no blinking on the screen is always caught in
    # the same phase.
    sleep "0.$((RANDOM % 3 + 1))"
  done
}

# --- The game's window -------------------------------------------------------

wid=
board_x=0 board_y=0 board_w=0 board_h=0 screen_w=0 screen_h=0 window_w=0 window_h=0


# Starts the game (with the test wall on the command line, unless
# `with_wall` is empty) and waits for its window, then until `board_ready` holds.
# When `resume_answer` is set, the question whether to go on with a game
# that was cut short must come first, and gets that key.
with_wall=1
board_ready=board_complete
resume_answer=
start_game() {
  local log=$1
  local arguments=()
  [ -z "$with_wall" ] || arguments=("$wall_file")
  (cd "$tmp" && exec "$bin/wandquiz" "${arguments[@]}") >"$log" 2>&1 &
  game_pid=$!
  wid=
  local i asked=
  for i in $(seq 1 120); do
    if ! kill -0 "$game_pid" 2>/dev/null; then
      cat "$log" >&2
      fail "the game ended before showing its window"
      game_pid=
      return 1
    fi
    if [ -n "$resume_answer" ] && [ -z "$asked" ]; then
      local question
      question=$(xdotool search --all --onlyvisible --pid "$game_pid" --name '^Fortsetzen\?$' 2>/dev/null |
        head -n 1 || true)
      if [ -n "$question" ]; then
        asked=1
        focus "$question"
        keys "$resume_answer"
      fi
      sleep 0.5
      continue
    fi
    wid=$(xdotool search --all --onlyvisible --pid "$game_pid" --name '^LX Werkbank // Wandquiz' 2>/dev/null |
      head -n 1 || true)
    [ -n "$wid" ] && break
    sleep 0.5
  done
  if [ -z "$wid" ]; then
    cat "$log" >&2
    fail "no window of the game appeared within 60 s"
    return 1
  fi
  read -r screen_w screen_h < <(xdotool getdisplaygeometry)
  # Without a window manager the game sizes its window to the screen itself.
  local x y
  for i in $(seq 1 40); do
    eval "$(xdotool getwindowgeometry --shell "$wid" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    [ "$WIDTH" = "$screen_w" ] && [ "$HEIGHT" = "$screen_h" ] && break
    sleep 0.25
  done
  x=$X y=$Y window_w=$WIDTH window_h=$HEIGHT
  [ "$window_w" = "$screen_w" ] && [ "$window_h" = "$screen_h" ] ||
    fail "the window is ${window_w}x${window_h}, not the screen's ${screen_w}x${screen_h}"
  echo "window $wid at $x,$y ${window_w}x${window_h} on a ${screen_w}x${screen_h} screen"


  # The board starts below the menu bar: the first row, left in the board's
  # margin, that has the background of the scheme the game starts with.
  menu_bar=-1 window_x=$x window_y=$y
  wait_screen 30 "the board's background (Blaue See) does not show below the menu bar" menu_bar_found ||
    return 1
  board_x=$x board_y=$((y + menu_bar)) board_w=$window_w board_h=$((window_h - menu_bar))
  echo "menu bar $menu_bar px high; board at $board_x,$board_y ${board_w}x${board_h}"
  local s
  for s in 0 1 2; do
    "$helpers/board_positions" --screen "${screen_w}x${screen_h}" --window "${window_w}x${window_h}" \
      --board "$board_x,$board_y,${board_w}x${board_h}" --scheme "$s" >"$tmp/positions-$s.txt"
  done
  read_positions "$tmp/positions-1.txt"

  # The build-up puts the rows on one after the other; it is over when all
  # twenty fields show their colours.
  wait_screen 30 "the board did not build up as it should ($board_ready)" "$board_ready"
}

menu_bar=-1 window_x=0 window_y=0
menu_bar_found() {
  local row
  for row in $(seq "$window_y" $((window_y + 200))); do
    if pixel_is $((window_x + 2)) "$row" 0 0 64; then
      menu_bar=$((row - window_y))
      [ "$menu_bar" -gt 0 ]
      return
    fi
  done
  return 1
}

fields_all=()
for i in $(seq 0 19); do fields_all+=("Feld_$i"); done
board_complete() { all_show board Thema_0 Thema_1 Thema_2 Thema_3 "${fields_all[@]}"; }

# Asks the window to close as a window manager does, then waits for the end.
close_game() {
  xprop -id "$wid" WM_PROTOCOLS | grep -q WM_DELETE_WINDOW ||
    fail "the game window does not take close requests (WM_DELETE_WINDOW)"
  "$helpers/close_request" "$wid" || fail "the close request could not be sent"
  local i
  for i in $(seq 1 60); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.5
  done
  if kill -0 "$game_pid" 2>/dev/null; then
    fail "the game is still running 30 s after the close request"
    return 1
  fi
  local rc=0
  wait "$game_pid" || rc=$?
  game_pid=
  [ "$rc" = 0 ] || fail "the game ended with exit status $rc after the close request"
}

# --- Input -------------------------------------------------------------------

click_at() { xdotool mousemove --sync "$1" "$2" click 1; }
click() { click_at "${P_CX[$1]}" "${P_CY[$1]}"; }
keys() { xdotool key --clearmodifiers --delay 80 "$@"; }
# Without a window manager nobody hands the keyboard to a window: the test does.
focus() { timeout 5 xdotool windowfocus --sync "$1" 2>/dev/null || true; }

# Visible windows of the game: its main window plus open menus and dialogs.
windows_open() { xdotool search --all --onlyvisible --pid "$game_pid" 2>/dev/null | wc -l; }
wait_windows() {
  local want=$1 i
  for i in $(seq 1 50); do
    [ "$(windows_open)" -eq "$want" ] && return 0
    sleep 0.1
  done
  fail "expected $want visible windows of the game, there are $(windows_open)"
  return 1
}

# Opens Optionen and one of its submenus by their mnemonics, then goes DOWN
# items down from the first one and takes it.
choose_from_options_menu() {
  local submenu=$1 down=$2
  focus "$wid"
  keys alt+o
  wait_windows 2 || return 1
  keys "$submenu"
  wait_windows 3 || return 1
  local i
  for i in $(seq 1 "$down"); do keys Down; done
  keys Return
  wait_windows 1
}

scheme_complete() { all_show board Thema_0 Thema_3 "${fields_all[@]}"; }

# Optionen > Farbschema > scheme N, then the board must show it.
choose_scheme() {
  choose_from_options_menu f "$1" || return 1
  read_positions "$tmp/positions-$1.txt"
  wait_screen 10 "the board does not show colour scheme $1 after choosing it from the menu" scheme_complete
}

# Screenshots of the board in the three schemes, named by the screen size.
shoot_schemes() {
  local s
  for s in 0 2 1; do
    choose_scheme "$s" || continue
    convert "$shot" "$out/board-${screen_w}x${screen_h}-scheme$s.png"
    echo "screenshot: $out/board-${screen_w}x${screen_h}-scheme$s.png"
  done
}

# --- Playing -----------------------------------------------------------------

group_count=3
declare -a expected=(0 0 0 0)
current=0 # the group whose turn it is, from 0
renamed=Kometen

ocr_region() { # NAME FILE [tesseract options]: the element's text on the last screenshot
  local name=$1 file=$2
  shift 2
  convert "$shot" -crop "${P_W[$name]}x${P_H[$name]}+${P_LEFT[$name]}+${P_TOP[$name]}" +repage \
    -colorspace Gray -normalize -threshold "${ocr_threshold:-50%}" "$file"
  # Dark text on light ground is what tesseract reads best.
  local mean
  mean=$(convert "$file" -format '%[fx:mean]' info:)
  if awk -v m="$mean" 'BEGIN { exit !(m < 0.5) }'; then convert "$file" -negate "$file"; fi
  tesseract "$file" - "$@" 2>/dev/null | tr -s ' \n\f' '  ' | sed 's/^ //; s/ $//'
}

question_open() { shows FragFeld && shows ctl_Antwortbereit; }
judging_open() { shows OK && shows Falsch && shows ctl_Antwort; }
# Judged: the panel and its buttons are gone, the wall shows where the field was.
field_gone() { shows "Feld_${played}_gone" && ! shows OK && ! shows Falsch; }
winner_shown() { shows SiegerFenster; }
# While the stake is awaited the panel blinks, and no button is on it.
risk_open() { (shows FragFeld || shows FragFeld_blink) && ! shows ctl_Antwortbereit && ! shows OK; }
# The blink's phase with the white text, which is read.
risk_readable() { shows FragFeld && ! shows ctl_Antwortbereit; }
joker_open() { shows OK && ! shows Falsch; }

# What some fields must show, read off the screen: the question when the
# field opens, the answer after "Antwort".
declare -A READ_Q=([4]="Welcher Planet" [14]="sieben mal acht") READ_A=([4]="Jupiter" [14]="56")
answer_text=
answer_shown() { [[ $(ocr_region lab_Frage "$tmp/answer.png" -l deu --psm 11) == *"$answer_text"* ]]; }
read_question() {
  [ -n "${READ_Q[$1]:-}" ] || return 0
  local text
  text=$(ocr_region lab_Frage "$tmp/question.png" -l deu --psm 11)
  [[ $text == *"${READ_Q[$1]}"* ]] || fail "field $1 shows '$text', not its question"
}
show_answer() {
  click ctl_Antwort
  [ -n "${READ_A[$1]:-}" ] || return 0
  answer_text=${READ_A[$1]}
  wait_screen 5 "field $1 does not show its answer '$answer_text' after a click on Antwort" answer_shown
}

played=0 fields_left=20
# One field, played by the group whose turn it is:
#   right / wrong       stop the clock, show the answer, judge
#   timeout             let the clock run out, show the answer, judge wrong
#   joker               "Hier klicken!"
#   risk STAKE right    type the stake, Enter, stop the clock, judge
play() {
  local field=$1 how=$2 stake=${3:-0} judge=${4:-}
  local points=$(((field / 4 + 1) * 20))
  played=$field
  echo "group $((current + 1)) plays field $field ($points points): $how $stake $judge"
  click "Feld_$field"
  case $how in
    joker)
      wait_screen 10 "field $field did not open as the joker" joker_open || return 1
      click OK
      expected[current]=$((expected[current] + points))
      ;;
    risk)
      wait_screen 10 "field $field did not ask for a stake" risk_open || return 1
      wait_screen 10 "the risk panel does not blink" risk_readable || return 1
      local text
      text=$(ocr_region lab_Frage "$tmp/risk.png" -l deu --psm 11)
      [[ $text == *RISIKO* ]] || fail "the risk field shows '$text', not RISIKO"
      # The stake box has the keyboard; digits and Enter as a person types them.
      focus "$wid"
      xdotool type --delay 120 "$stake"
      keys Return
      wait_screen 10 "the clock did not start after the stake" question_open || return 1
      read_question "$field"
      click ctl_Antwortbereit
      wait_screen 10 "Richtig/Falsch did not appear after stopping the clock" judging_open || return 1
      show_answer "$field"
      if [ "$judge" = right ]; then
        click OK
        expected[current]=$((expected[current] + points + stake))
      else
        click Falsch
        expected[current]=$((expected[current] - stake))
      fi
      ;;
    right | wrong | timeout | undo)
      wait_screen 10 "field $field did not open as a question with a running clock" question_open || return 1
      read_question "$field"
      if [ "$how" = timeout ]; then
        # The clock runs points + 5 seconds, then Richtig/Falsch come by themselves.
        wait_screen $((points + 20)) "the clock did not run out on field $field" judging_open || return 1
      else
        click ctl_Antwortbereit
        wait_screen 10 "Richtig/Falsch did not appear after stopping the clock" judging_open || return 1
      fi
      show_answer "$field"
      if [ "$how" = right ]; then
        click OK
        expected[current]=$((expected[current] + points))
      else
        click Falsch
      fi
      if [ "$how" = undo ]; then
        # A mis-click: Ctrl+Z takes "Falsch" back and reopens the judging.
        wait_screen 10 "field $field is still on the board after it was judged" field_gone || return 1
        focus "$wid"
        keys ctrl+z
        wait_screen 10 "Ctrl+Z did not bring back Richtig/Falsch of field $field" judging_open || return 1
        click OK
        expected[current]=$((expected[current] + points))
      fi
      ;;
  esac
  fields_left=$((fields_left - 1))
  if [ "$fields_left" -gt 0 ]; then
    wait_screen 10 "field $field is still on the board after it was played" field_gone || return 1
  else
    wait_screen 10 "the winner panel did not appear after the last field" winner_shown || return 1
  fi
  current=$(((current + 1) % group_count))
}

# --- 1. The game on the display of the test ------------------------------------

step "starting the game with the test wall on $DISPLAY"
[ ! -e "$autosave" ] || fail "an autosave exists before the game ever ran"
if ! start_game "$out/whole-game.log"; then
  echo "the game could not be started: $failures check(s) failed" >&2
  exit 1
fi
title=$(xdotool getwindowname "$wid")
[[ $title == *Testwand.frg* ]] || fail "the window title '$title' does not name the wall given on the command line"
shot_sizes=()
if [ "$screen_w" -ge 1024 ]; then
  step "colour schemes at ${screen_w}x${screen_h}"
  shoot_schemes
  shot_sizes+=("${screen_w}x${screen_h}")
fi

# --- 2. Three groups, one renamed ----------------------------------------------

step "three groups from the menu"
# Optionen > Anzahl der Spielergruppen > 3 starts a new game.
groups_shown() { ! shows Beschriftung_2_gone && shows Beschriftung_3_gone && board_complete; }
if choose_from_options_menu a 2; then
  wait_screen 15 "three groups are not on the board after choosing 3 from the menu" groups_shown || true
fi

step "renaming group 2 to $renamed"
click Beschriftung_1
dialog=
for i in $(seq 1 50); do
  dialog=$(xdotool search --all --onlyvisible --pid "$game_pid" --name '^Gruppe umbenennen$' 2>/dev/null |
    head -n 1 || true)
  [ -n "$dialog" ] && break
  sleep 0.1
done
if [ -n "$dialog" ]; then
  focus "$dialog"
  # The old name is proposed; a person selects it all and types over it.
  keys ctrl+a
  xdotool type --delay 100 "$renamed"
  keys Return
  wait_windows 1 || true
  focus "$wid"
  name_shown() { [ "$(ocr_region Beschriftung_1 "$tmp/name.png" -l deu --psm 7)" = "$renamed" ]; }
  wait_screen 5 "group 2 is not called $renamed on the board after renaming it" name_shown || true
else
  fail "clicking the name of group 2 did not open the dialog 'Gruppe umbenennen'"
fi

# --- 3. The whole wall -----------------------------------------------------------

step "playing all twenty fields"
# Field 6 is judged wrong by mistake and taken back; after field 8 the game
# is killed and started again, and goes on where it was.
moves=(
  "0 right" "1 right" "2 timeout" "3 right" "4 right" "5 right" "6 undo" "9 joker" "7 right"
  "8 right" crash "14 risk 50 right" "10 wrong" "11 right" "12 wrong" "13 right" "15 right" "16 right"
  "17 wrong" "18 right" "19 right"
)
declare -A done_fields=()
# After the restart: the fields played are gone, the others are there.
resumed_board() {
  local f
  shows board || return 1
  for f in $(seq 0 19); do
    if [ -n "${done_fields[$f]:-}" ]; then shows "Feld_${f}_gone" || return 1; else shows "Feld_$f" || return 1; fi
  done
}
crash_and_resume() {
  step "the game is killed in the middle and started again"
  kill -KILL "$game_pid"
  wait "$game_pid" 2>/dev/null || true
  game_pid=
  # Without a wall on the command line: another wall would be a new game.
  with_wall= board_ready=resumed_board resume_answer=Return
  start_game "$out/whole-game-resumed.log" || return 1
  with_wall=1 board_ready=board_complete resume_answer=
  # Its turn now: the name blinks between black and white text, and white
  # text on the light panel needs a higher threshold.
  name_read() { [ "$(ocr_region Beschriftung_1 "$tmp/name.png" -l deu --psm 7)" = "$renamed" ]; }
  name_shown() { name_read || ocr_threshold=85% name_read; }
  wait_screen 5 "the resumed game does not call group 2 $renamed" name_shown || true
  shows Beschriftung_3_gone || fail "the resumed game shows a fourth group"
}
game_over=
for move in "${moves[@]}"; do
  if [ "$move" = crash ]; then
    crash_and_resume || break
    continue
  fi
  # shellcheck disable=SC2086
  play $move || break
  done_fields[${move%% *}]=1
done
[ "$fields_left" = 0 ] && game_over=1

names=(Gruppe\ 1 "$renamed" Gruppe\ 3)
best=0
for g in 0 1 2; do [ "${expected[g]}" -gt "$best" ] && best=${expected[g]}; done
echo "expected scores: ${expected[*]:0:3}"

if [ -n "$game_over" ]; then
  step "the winner and the scores"
  # Settled: the winner panel stays, and the board is read from one picture.
  sleep 1
  if wait_screen 5 "the winner panel did not stay" winner_shown; then
    convert "$shot" "$out/whole-winner-${screen_w}x${screen_h}.png"
    echo "screenshot: $out/whole-winner-${screen_w}x${screen_h}.png"
    winner_text=$(ocr_region lab_Sieger "$tmp/winner.png" -l deu --psm 11)
    echo "winner panel reads: $winner_text"
    # "Sieger ist" above the winner's name, or "Sieger sind" above the names
    # of all who share the best score, each on a line of its own.
    winners=()
    for g in 0 1 2; do [ "${expected[g]}" = "$best" ] && winners+=("${names[g]}"); done
    if [ ${#winners[@]} = 1 ]; then announcement="Sieger ist ${winners[0]}"; else announcement="Sieger sind ${winners[*]}"; fi
    [ "$winner_text" = "$announcement" ] ||
      fail "the winner panel reads '$winner_text', not '$announcement' (line by line)"
    for g in 0 1 2; do
      score=$(ocr_region "Punkte_$g" "$tmp/score$g.png" --psm 7 -c tessedit_char_whitelist=-0123456789)
      score=${score// /}
      echo "score of group $((g + 1)) reads: $score (expected ${expected[g]})"
      [ "$score" = "${expected[g]}" ] || fail "group $((g + 1)) has '$score' points on the screen, not ${expected[g]}"
    done
    shows Beschriftung_3_gone || fail "a fourth group shows up in a game of three"
  fi
fi

step "closing the window"
close_game || true
if [ -s "$autosave" ]; then
  if dump=$("$bin/wandquiz-wall" dump "$autosave" 2>"$tmp/dump.err"); then
    grep -qF "\"topics\": [$topics]" <<<"$dump" ||
      fail "the autosave does not hold the test wall's topics: $(grep '"topics"' <<<"$dump")"
  else
    cat "$tmp/dump.err" >&2
    fail "wandquiz-wall dump does not load the autosave"
  fi
else
  fail "the game saved no autosave on its close"
fi

if [ -n "$sound" ]; then
  step "the clock's ticks in the recording"
  # The recording runs a moment past the end, so the last sounds are in it.
  sleep 0.5
  kill "$parec_pid" 2>/dev/null || true
  wait "$parec_pid" 2>/dev/null || true
  parec_pid=
  if "$helpers/count_ticks" "$recording" "$tick_sound" >"$out/whole-ticks.txt"; then
    grep -v '^tick ' "$out/whole-ticks.txt"
    run=$(sed -n 's/^longest_run //p' "$out/whole-ticks.txt")
    # The clock left to run out on a 20-point field ticks 24 times a second apart.
    if [ "${run:-0}" -lt 15 ]; then
      # Kept for a listen: raw 16-bit little-endian mono at 48 kHz.
      cp "$recording" "$out/whole-sound.raw"
      fail "the recording holds no run of 15 ticks a second apart (longest: ${run:-none};" \
        "see whole-ticks.txt and whole-sound.raw)"
    fi
  else
    fail "the recording could not be analysed"
  fi
fi

# --- 4. The other screen sizes ---------------------------------------------------

# The board in its three schemes on a private Xvfb of each size not seen yet.
for size in 1024x768 1920x1080; do
  for seen in "${shot_sizes[@]}"; do [ "$seen" = "$size" ] && continue 2; done
  step "colour schemes at $size on a private Xvfb"
  display=
  for n in $(seq 150 199); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >"$tmp/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for i in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.1
    done
    if [ -e "/tmp/.X11-unix/X$n" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
      display=:$n
      break
    fi
    xvfb_pid=
  done
  if [ -z "$display" ]; then
    fail "no private Xvfb of $size could be started"
    continue
  fi
  # A home of its own, so this game neither meets the first one's lock nor
  # changes its autosave.
  export DISPLAY=$display HOME=$tmp/home-$size
  export XDG_DATA_HOME=$HOME/.local/share XDG_CONFIG_HOME=$HOME/.config XDG_CACHE_HOME=$HOME/.cache
  mkdir -p "$HOME"
  if start_game "$out/whole-game-$size.log"; then
    shoot_schemes
    close_game || true
  fi
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=
  export DISPLAY=$main_display
done

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "the whole wall was played, scored and won as the moves say"
