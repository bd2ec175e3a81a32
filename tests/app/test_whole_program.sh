#!/usr/bin/env bash
# The whole program as a person uses it: the real game on a 1024 x 768 screen
# of its own (Xvfb), played through a small wall of ours to the end by real
# mouse clicks and key presses (xdotool), with everything it plays recorded
# from the sound sink. Three groups, one of them renamed; a stake typed, a
# joker, a judgement taken back with Ctrl+Z, the clock left to run out; the
# game killed (SIGKILL) half way and continued at the next start. At the end
# the scores and the winner are read off the screen (tesseract), the autosave
# must load, and the recording must hold the clock's ticks a second apart.
# Screenshots of the board in its three colour schemes at 1024x768 and
# 1920x1080 are left in BUILD_DIR/test-output/.
#
#   bash tests/app/test_whole_program.sh BUILD_DIR
#
# Where it clicks and which colours it expects are numbers written here.
# Without Xvfb or a tool it needs the test is skipped (exit status 77), unless
# WANDQUIZ_REQUIRE_DISPLAY=1 asks for it: then that is a failure.
set -euo pipefail
build=$(cd "${1:?usage: test_whole_program.sh BUILD_DIR}" && pwd)
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
source "$source_dir/tests/support/desktop.sh"
bin=$build/bin
out=$build/test-output
mkdir -p "$out"
# What an earlier run left must not be taken for this run's.
rm -f "$out"/whole-* "$out"/board-*-scheme*.png

need_tools Xvfb xdotool xprop import convert tesseract parec pactl od
tesseract --list-langs 2>/dev/null | grep -qx deu || cannot_run "tesseract has no German (tesseract-ocr-deu)"
for program in "$bin/wandquiz" "$bin/wandquiz-wall" "$build/tests/app/count_ticks" "$build/tests/app/close_request"; do
  [ -x "$program" ] || { echo "FAIL: $program is not built" >&2; exit 1; }
done
tick_sound=$build/share/wandquiz/sounds/time4.wav
[ -s "$tick_sound" ] || { echo "FAIL: the build has no $tick_sound" >&2; exit 1; }

tmp=$(mktemp -d "${TMPDIR:-/tmp}/wandquiz-whole.XXXXXX")
game_pid= parec_pid= own_audio=
cleanup() {
  # Nothing started here may outlive the test.
  [ -n "$game_pid" ] && kill -9 "$game_pid" 2>/dev/null || true
  [ -n "$parec_pid" ] && kill "$parec_pid" 2>/dev/null || true
  stop_xvfb
  [ -n "$own_audio" ] && stop_audio
  rm -rf "$tmp"
}
trap cleanup EXIT
export QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI QT_ENABLE_HIGHDPI_SCALING QT_AUTO_SCREEN_SCALE_FACTOR

# --- The wall ------------------------------------------------------------------

# Field i of the board is row i/4 of topic i%4; field 9 is a joker, field 14
# (80 points) a risk field.
wall_file=$tmp/Testwand.frg
topics=(Planeten Früchte Zahlen Musik)
{
  echo "/ Wand des Tests, der das ganze Programm spielt"
  for t in 0 1 2 3; do
    echo "TH:${topics[t]}"
    for i in $t $((t + 4)) $((t + 8)) $((t + 12)) $((t + 16)); do
      case $i in
        9) printf 'JOKER\nGlückwunsch!\n\n' ;;
        14) printf 'RISIKO:Wie viel ist sieben mal acht?\n56\n\n' ;;
        *) printf 'Frage %d: Welches Tier?\nAntwort %d: Die Katze\n\n' "$i" "$i" ;;
      esac
    done
    echo @
  done
} >"$wall_file"

# --- Where things are and how they look ------------------------------------------
#
# The window fills the screen (no window manager), at 15 twips a pixel. Its
# menu bar is made 68 pixels high by a style sheet, as high as title bar and
# menu bar together on a desktop, so the board below it is 1024 x 700 pixels:
# 15360 x 10500 twips in a window 11520 twips high. Laid out in twips: the
# margins 96; the wall at 96, 96, 15168 x 8388; the topics 180 down in it and
# 1301 high, the columns 3744 wide from 96, the fields 48 narrower; the field
# rows at 1685, 2890, 4096, 5301 and 6506, 1157 or 1158 high; the group strip
# at 96, 8580, 15168 x 1728, its panels 60 and 828 down, 768 high, under the
# columns; the question panel at 60, 120 with the wall's size; in it the
# question 1200, 150, 12768 x 6888 and the buttons 7773 down, 555 high and
# 4976 wide: "Richtig" at 360, "Falsch" at 5336, "Antwort" at 10312, "Uhr
# Stoppen" at 7824. Below, rectangles on the screen in pixels ("LEFT TOP
# WIDTH HEIGHT"): twips / 15, rounded, the board starting 68 down.
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

# --- The screen ------------------------------------------------------------------

shot=$tmp/shot.ppm
ppm_width=0 ppm_offset=0
# The whole screen as a binary PPM, so that single pixels can be read with od.
take_shot() {
  import -window root -depth 8 "ppm:$shot" 2>/dev/null || return 1
  local header
  read -r -a header <<<"$(head -c 40 "$shot" | tr '\n' ' ' | tr -s ' ')"
  [ "${header[0]}" = P6 ] || return 1
  ppm_width=${header[1]}
  ppm_offset=$((${#header[0]} + ${#header[1]} + ${#header[2]} + ${#header[3]} + 4))
}
pixel() { od -An -tu1 -j $((ppm_offset + ($2 * ppm_width + $1) * 3)) -N3 "$shot"; }
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
# above its bottom edge (a field's also below its top edge): away from caption
# and bevel, where a face has its colour. The bevel of the question and the
# winner panel is wider: both are read at one point left of the buttons.
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
# The blue of wall and strip in "Blaue See" shows there: #0000FF, its face a
# quarter lighter towards the top.
blue_ground() {
  local got
  read -r -a got <<<"$(pixel $(point "$1"))"
  [ "${got[0]}" -le 68 ] && [ "${got[1]}" -le 68 ] && [ "${got[2]}" -ge 251 ]
}
gone() { blue_ground "$1" && ! shows "$1"; }

# Takes screenshots until the check (a command) holds, at most TIMEOUT s. On
# a timeout the last screenshot is kept for whoever reads the failure.
shot_count=0
wait_screen() {
  local timeout=$1 what=$2
  shift 2
  local end=$((SECONDS + timeout))
  until take_shot && "$@"; do
    if [ "$SECONDS" -ge "$end" ]; then
      shot_count=$((shot_count + 1))
      convert "$shot" "$out/whole-failure-$shot_count.png" 2>/dev/null || true
      fail "$what (within ${timeout}s; screen: $out/whole-failure-$shot_count.png)"
      return 1
    fi
    # Uneven pauses, so that no blinking is always caught in the same phase.
    sleep "0.$((RANDOM % 3 + 1))"
  done
}

# The text in an element on the last screenshot, as tesseract reads it.
ocr() { # NAME [tesseract options]
  local r=(${R[$1]}) file=$tmp/ocr.png mean
  shift
  convert "$shot" -crop "${r[2]}x${r[3]}+${r[0]}+${r[1]}" +repage -colorspace Gray -normalize \
    -threshold "${ocr_threshold:-50%}" "$file"
  # Dark text on light ground is what tesseract reads best.
  mean=$(convert "$file" -format '%[fx:mean]' info:)
  if awk -v m="$mean" 'BEGIN { exit !(m < 0.5) }'; then convert "$file" -negate "$file"; fi
  tesseract "$file" - "$@" 2>/dev/null | tr -s ' \n\f' '  ' | sed 's/^ //; s/ $//'
}
reads() { [[ $(ocr "$1" -l deu --psm "${3:-11}") == *"$2"* ]]; }

# --- The game ----------------------------------------------------------------------

click_at() { xdotool mousemove --sync "$1" "$2" click 1; }
click() { local r=(${R[$1]}); click_at $((r[0] + r[2] / 2)) $((r[1] + r[3] / 2)); }
keys() { xdotool key --clearmodifiers --delay 80 "$@"; }
# Without a window manager nobody hands the keyboard to a window: the test does.
focus() { timeout 5 xdotool windowfocus --sync "$1" 2>/dev/null || true; }
windows_open() { xdotool search --all --onlyvisible --pid "$game_pid" 2>/dev/null | wc -l; }
wait_windows() {
  local i
  for i in $(seq 1 50); do
    [ "$(windows_open)" -eq "$1" ] && return 0
    sleep 0.1
  done
  fail "expected $1 visible windows of the game, there are $(windows_open)"
  return 1
}

style=$tmp/menu.qss
echo "QMenuBar { min-height: ${menu_bar}px; max-height: ${menu_bar}px; }" >"$style"
fields_all=()
for i in $(seq 0 19); do fields_all+=("Feld_$i"); done
board_complete() { all_show background Thema_0 Thema_1 Thema_2 Thema_3 "${fields_all[@]}" Beschriftung_0 Punkte_0; }

# start_game LOG [WALL]: starts the game on the current display and waits
# for its window; when `resume_answer` is set, the question whether to go on
# with a game cut short must come first and gets that key. Then waits until
# `board_ready` holds.
board_ready=board_complete resume_answer=
start_game() {
  (cd "$tmp" && exec "$bin/wandquiz" -stylesheet "$style" ${2:+"$2"}) >"$1" 2>&1 &
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

# Optionen, then a submenu by its mnemonic; DOWN items down from its first, taken.
choose_from_options_menu() {
  focus "$wid"
  keys alt+o
  wait_windows 2 || return 1
  keys "$1"
  wait_windows 3 || return 1
  for i in $(seq 1 "$2"); do keys Down; done
  keys Return
  wait_windows 1
}
# Screenshots of the board in the three schemes, chosen from the menu.
shoot_schemes() {
  local size s
  size=$(xdotool getdisplaygeometry | tr ' ' x)
  for s in 0 2 1; do
    choose_from_options_menu f "$s" || continue
    scheme=$s
    wait_screen 10 "the board does not show colour scheme $s at $size after choosing it" board_complete || continue
    convert "$shot" "$out/board-$size-scheme$s.png"
    echo "screenshot: $out/board-$size-scheme$s.png"
  done
}

# --- Playing -----------------------------------------------------------------------

group_count=3 current=0 played=0 fields_left=20 renamed=Kometen
expected=(0 0 0 0)
question_open() { shows ctl_Antwortbereit && ! shows OK; }
judging_open() { all_show OK Falsch ctl_Antwort; }
field_gone() { gone "Feld_$played" && ! shows OK && ! shows Falsch; }
winner_shown() { pixel_is $panel_point "$(colour_of SiegerFenster)"; }
# While the stake is awaited the question panel blinks white, without buttons.
risk_open() { pixel_is $panel_point FFFFFF && ! shows ctl_Antwortbereit && ! shows OK; }
risk_readable() { pixel_is $panel_point 0000FF && ! shows ctl_Antwortbereit; }
joker_open() { shows OK && ! shows Falsch; }

# What some fields must show, read off the screen: the question when the
# field opens, the answer after "Antwort".
declare -A QUESTION=([4]="Frage 4" [14]="sieben mal acht") ANSWER=([4]="Antwort 4" [14]="56")
read_question() {
  [ -z "${QUESTION[$1]:-}" ] || reads lab_Frage "${QUESTION[$1]}" ||
    fail "field $1 shows '$(ocr lab_Frage -l deu --psm 11)', not its question"
}
show_answer() {
  click ctl_Antwort
  [ -z "${ANSWER[$1]:-}" ] || wait_screen 5 "field $1 does not show its answer after a click on Antwort" \
    reads lab_Frage "${ANSWER[$1]}"
}
# Clicks "Richtig" (the points and the stake won) or "Falsch" (the stake lost).
judge() { # right|wrong POINTS STAKE
  if [ "$1" = right ]; then
    click OK
    expected[current]=$((expected[current] + $2 + $3))
  else
    click Falsch
    expected[current]=$((expected[current] - $3))
  fi
}

# One field, played by the group whose turn it is:
#   right / wrong     stop the clock, show the answer, judge
#   timeout           let the clock run out, show the answer, judge wrong
#   undo              judge wrong, take it back with Ctrl+Z, judge right
#   joker             "Hier klicken!"
#   risk STAKE        type the stake, Enter, stop the clock, judge right
play() {
  local field=$1 how=$2 stake=${3:-0} points=$((($1 / 4 + 1) * 20))
  played=$field
  echo "group $((current + 1)) plays field $field ($points points): $how"
  click "Feld_$field"
  if [ "$how" = joker ]; then
    wait_screen 10 "field $field did not open as the joker" joker_open || return 1
    how=right
  else
    if [ "$how" = risk ]; then
      wait_screen 10 "field $field did not ask for a stake" risk_open || return 1
      wait_screen 10 "the risk panel does not blink" risk_readable || return 1
      reads lab_Frage RISIKO || fail "the risk field shows '$(ocr lab_Frage -l deu --psm 11)', not RISIKO"
      # The stake box has the keyboard; digits and Enter as a person types them.
      focus "$wid"
      xdotool type --delay 120 "$stake"
      keys Return
      how=right
    fi
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
    if [ "$how" = undo ]; then
      # A mis-click: Ctrl+Z takes "Falsch" back and reopens the judging.
      judge wrong "$points" 0
      wait_screen 10 "field $field is still on the board after it was judged" field_gone || return 1
      focus "$wid"
      keys ctrl+z
      wait_screen 10 "Ctrl+Z did not bring back Richtig/Falsch of field $field" judging_open || return 1
      how=right
    fi
  fi
  judge "$how" "$points" "$stake"
  fields_left=$((fields_left - 1))
  if [ "$fields_left" -gt 0 ]; then
    wait_screen 10 "field $field is still on the board after it was played" field_gone || return 1
  else
    wait_screen 10 "the winner panel did not appear after the last field" winner_shown || return 1
  fi
  current=$(((current + 1) % group_count))
}

# --- 1. The game on a 1024 x 768 screen ------------------------------------------------

start_xvfb 1024x768 || cannot_run "no private Xvfb of 1024x768 could be started"
fresh_home "$tmp/home"
autosave=$XDG_DATA_HOME/wandquiz/AUTO.LX-WQZ
sound=1
if ! pactl list short sinks 2>/dev/null | grep -q wandquiz_null; then
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

echo "--- the game with the test wall on a 1024x768 screen"
[ ! -e "$autosave" ] || fail "an autosave exists before the game ever ran"
start_game "$out/whole-game.log" "$wall_file" || { echo "the game could not be started: $failures check(s) failed" >&2; exit 1; }
[[ $(xdotool getwindowname "$wid") == *Testwand.frg* ]] ||
  fail "the window title '$(xdotool getwindowname "$wid")' does not name the wall given on the command line"
shoot_schemes

echo "--- three groups from the menu, group 2 renamed $renamed"
# Optionen > Anzahl der Spielergruppen > 3 starts a new game.
groups_shown() { ! blue_ground Beschriftung_2 && blue_ground Beschriftung_3 && board_complete; }
if choose_from_options_menu a 2; then
  wait_screen 15 "three groups are not on the board after choosing 3 from the menu" groups_shown || true
fi
click Beschriftung_1
if dialog=$(window_of "$game_pid" '^Gruppe umbenennen$' 5); then
  focus "$dialog"
  # The old name is proposed; a person selects it all and types over it.
  keys ctrl+a
  xdotool type --delay 100 "$renamed"
  keys Return
  wait_windows 1 || true
  focus "$wid"
  wait_screen 5 "group 2 is not called $renamed on the board after renaming it" reads Beschriftung_1 "$renamed" 7 || true
else
  fail "clicking the name of group 2 did not open the dialog 'Gruppe umbenennen'"
fi

echo "--- all twenty fields"
# After field 8 the game is killed and started again, and goes on where it was.
moves=("0 right" "1 right" "2 timeout" "3 right" "4 right" "5 right" "6 undo" "9 joker" "7 right" "8 right"
  crash "14 risk 50" "10 wrong" "11 right" "12 wrong" "13 right" "15 right" "16 right" "17 wrong" "18 right" "19 right")
declare -A done_fields=()
resumed_board() {
  local f
  shows background || return 1
  for f in $(seq 0 19); do
    if [ -n "${done_fields[$f]:-}" ]; then gone "Feld_$f" || return 1; else shows "Feld_$f" || return 1; fi
  done
}
crash_and_resume() {
  echo "--- the game killed in the middle and started again"
  kill -KILL "$game_pid"
  wait "$game_pid" 2>/dev/null || true
  # Without a wall on the command line: another wall would be a new game.
  board_ready=resumed_board resume_answer=Return start_game "$out/whole-game-resumed.log" || return 1
  # Its turn now: the name blinks between black and white text, and white
  # text on the light panel needs a higher threshold.
  name_read() { reads Beschriftung_1 "$renamed" 7 || ocr_threshold=85% reads Beschriftung_1 "$renamed" 7; }
  wait_screen 5 "the resumed game does not call group 2 $renamed" name_read || true
  blue_ground Beschriftung_3 || fail "the resumed game shows a fourth group"
}
for move in "${moves[@]}"; do
  if [ "$move" = crash ]; then
    crash_and_resume || break
  else
    play $move || break
    done_fields[${move%% *}]=1
  fi
done

if [ "$fields_left" = 0 ]; then
  echo "--- the winner and the scores (expected: ${expected[*]:0:3})"
  # Settled: the winner panel stays, and the board is read from one picture.
  sleep 1
  if wait_screen 5 "the winner panel did not stay" winner_shown; then
    convert "$shot" "$out/whole-winner-1024x768.png"
    names=("Gruppe 1" "$renamed" "Gruppe 3") best=0 winners=()
    for g in 0 1 2; do [ "${expected[g]}" -gt "$best" ] && best=${expected[g]}; done
    for g in 0 1 2; do [ "${expected[g]}" = "$best" ] && winners+=("${names[g]}"); done
    # "Sieger ist" above the winner's name, or "Sieger sind" above the names
    # of all who share the best score, each on a line of its own.
    if [ ${#winners[@]} = 1 ]; then announcement="Sieger ist ${winners[0]}"; else announcement="Sieger sind ${winners[*]}"; fi
    winner_text=$(ocr lab_Sieger -l deu --psm 11)
    [ "$winner_text" = "$announcement" ] || fail "the winner panel reads '$winner_text', not '$announcement'"
    for g in 0 1 2; do
      score=$(ocr "Punkte_$g" --psm 7 -c tessedit_char_whitelist=-0123456789)
      echo "score of group $((g + 1)) reads: $score (expected ${expected[g]})"
      [ "${score// /}" = "${expected[g]}" ] || fail "group $((g + 1)) has '$score' points on the screen, not ${expected[g]}"
    done
    blue_ground Beschriftung_3 || fail "a fourth group shows up in a game of three"
  fi
fi

echo "--- closing the window"
close_window "$wid" "$game_pid"
game_pid=
if [ ! -s "$autosave" ]; then
  fail "the game saved no autosave on its close"
elif ! dump=$("$bin/wandquiz-wall" dump "$autosave" 2>&1); then
  fail "wandquiz-wall dump does not load the autosave: $dump"
else
  grep -qF '"topics": ["Planeten", "Früchte", "Zahlen", "Musik"]' <<<"$dump" ||
    fail "the autosave does not hold the test wall's topics: $(grep '"topics"' <<<"$dump")"
fi

if [ -n "$sound" ]; then
  echo "--- the clock's ticks in the recording"
  # The recording runs a moment past the end, so the last sounds are in it.
  sleep 0.5
  kill "$parec_pid" 2>/dev/null || true
  wait "$parec_pid" 2>/dev/null || true
  parec_pid=
  if "$build/tests/app/count_ticks" "$recording" "$tick_sound" >"$out/whole-ticks.txt"; then
    grep -v '^tick ' "$out/whole-ticks.txt"
    run=$(sed -n 's/^longest_run //p' "$out/whole-ticks.txt")
    # The clock left to run out on a 20-point field ticks 24 times a second apart.
    if [ "${run:-0}" -lt 15 ]; then
      # Kept for a listen: raw 16-bit little-endian mono at 48 kHz.
      cp "$recording" "$out/whole-sound.raw"
      fail "the recording holds no run of 15 ticks a second apart (longest: ${run:-none}; see whole-ticks.txt)"
    fi
  else
    fail "the recording could not be analysed"
  fi
fi
stop_xvfb

# --- 2. The colour schemes on a 1920 x 1080 screen ---------------------------------------

echo "--- the colour schemes at 1920x1080"
board_geometry 1920x1080
scheme=1
if start_xvfb 1920x1080; then
  # A home of its own, so that this game starts as the first did.
  fresh_home "$tmp/home-1920x1080"
  if start_game "$out/whole-game-1920x1080.log" "$wall_file"; then
    shoot_schemes
    close_window "$wid" "$game_pid"
  fi
  game_pid=
  stop_xvfb
else
  fail "no private Xvfb of 1920x1080 could be started"
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "the whole wall was played, scored and won as the moves say"
