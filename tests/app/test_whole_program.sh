#!/usr/bin/env bash
# The whole program as a person uses it: the real game on a 1024 x 768 Xvfb
# screen, a wall played to the end by real clicks and keys (xdotool), all its
# sound recorded from the sink. Three groups, one renamed; a stake, a joker, a
# judgement taken back, the clock run out; the game killed half way and
# resumed. At the end scores and winner are read off the screen (tesseract),
# the autosave must load and the recording hold ticks a second apart. Board
# screenshots of the three schemes at 1024x768 and 1920x1080 are left in
# BUILD_DIR/test-output/.
#
#   bash tests/app/test_whole_program.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: test_whole_program.sh BUILD_DIR}" && pwd)
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
source "$source_dir/tests/support/desktop.sh"
bin=$build/bin
out=$build/test-output name=whole
mkdir -p "$out"
# What an earlier run left must not be taken for this run's.
rm -f "$out"/whole-* "$out"/board-*-scheme*.png

need_tools Xvfb xdotool xprop import convert tesseract parec pactl od
tesseract --list-langs 2>/dev/null | grep -qx deu || cannot_run "tesseract has no German (tesseract-ocr-deu)"
for program in "$bin/wandquiz" "$bin/wandquiz-wall" "$build/tests/app/count_ticks" "$build/tests/app/close_request"; do
  [ -x "$program" ] || { echo "FAIL: $program is not built" >&2; exit 1; }
done

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

# --- The wall ------------------------------------------------------------------

# Field i is row i/4 of topic i%4; 9 is a joker, 14 (80 points) a risk field.
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

# The text in an element on the last screenshot, as tesseract reads it.
ocr() { # NAME [tesseract options]
  local r=(${R[$1]}) file=$tmp/ocr.png mean
  shift
  convert "$tmp/shot.ppm" -crop "${r[2]}x${r[3]}+${r[0]}+${r[1]}" +repage -colorspace Gray -normalize \
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
    convert "$tmp/shot.ppm" "$out/board-$size-scheme$s.png"
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

# What some fields show: the question when opened, the answer after "Antwort".
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
  # Its name blinks black and white; white text needs a higher threshold.
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
    convert "$tmp/shot.ppm" "$out/whole-winner-1024x768.png"
    names=("Gruppe 1" "$renamed" "Gruppe 3") best=0 winners=()
    for g in 0 1 2; do [ "${expected[g]}" -gt "$best" ] && best=${expected[g]}; done
    for g in 0 1 2; do [ "${expected[g]}" = "$best" ] && winners+=("${names[g]}"); done
    # "Sieger ist" and the name, or "Sieger sind" and all who share the best score.
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
  if "$build/tests/app/count_ticks" "$recording" >"$out/whole-ticks.txt"; then
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
