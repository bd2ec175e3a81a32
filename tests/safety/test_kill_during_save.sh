#!/usr/bin/env bash
# A wall file killed in the middle of being saved is still whole: the old or
# the new wall, never a mix, and at most one temporary file is left.
# 1. save_loop saves heavy walls by turns and is killed (SIGKILL) at random
#    moments; the file must then be the last generation saved or the next.
# 2. SIGTERM, SIGHUP and SIGINT close the real game with its autosave
#    written; killed at random moments of that save, it is old or new.
#
#   test_kill_during_save.sh BUILD_DIR
# KILLS and GAME_KILLS in the environment change the counts.
set -euo pipefail
build=$(cd "$1" && pwd)
helper=$build/tests/safety/save_loop
game=$build/bin/wandquiz
tool=$build/bin/wandquiz-wall
kills=${KILLS:-150}
game_kills=${GAME_KILLS:-20}

work=$(mktemp -d)
pid=""
cleanup() {
  [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Waiting without a process each time: a read timing out on an idle pipe.
prepare_pauses() {
  mkfifo "$work/never"
  exec 9<>"$work/never"
}
pause() { read -r -t "$1" -u 9 || true; }
now_ms() { local t=${EPOCHREALTIME/./}; echo $((t / 1000)); }
# A random pause of 0 to $1 milliseconds.
random_pause() {
  local ms=$(( $1 * RANDOM / 32768 )) seconds
  printf -v seconds '%d.%03d' $((ms / 1000)) $((ms % 1000))
  pause "$seconds"
}
shopt -s nullglob
leftovers() {
  local names=("$1"/AUTO.LX-WQZ.*)
  echo "${#names[@]}"
}

# start_loop FILE GEN...: save_loop checks FILE, then saves on and on; its
# lines arrive on fd 3. Returns once it said "ready"; sets `found`.
start_loop() {
  local file=$1 line said=""
  shift
  "$helper" loop "$file" "$@" >"$work/lines" 2>&1 &
  pid=$!
  exec 3<"$work/lines"
  found=""
  while IFS= read -r -t 60 -u 3 line; do
    case $line in
      "found "*) found=${line#found } ;;
      ready) return 0 ;;
      *) said+="$line " ;;
    esac
  done
  fail "save_loop did not start: $said"
}

# Kills save_loop after a random pause of up to $1 ms; sets `last` to the
# last generation it reported saved.
kill_loop_now() {
  local line
  random_pause "$1"
  kill -KILL "$pid"
  { wait "$pid"; } 2>/dev/null || true
  pid=""
  last=$found
  while IFS= read -r -u 3 line; do
    [[ $line == "saved "* ]] && { line=${line#saved }; last=${line%% *}; }
  done
  exec 3<&-
}

# kill_loop FOLDER KILLS: kills save_loop KILLS times while it saves to
# FOLDER/AUTO.LX-WQZ. Prints one line of figures.
kill_loop() {
  local dir=$1 count=$2 file=$1/AUTO.LX-WQZ
  local old=0 new=0 leftover_kills=0 save_ms range k n expect
  "$helper" write "$file" 0 || fail "the first wall could not be written"
  # A first run times one save; the kills land within about two saves.
  "$helper" loop "$file" 0 >"$work/first" 2>&1 &
  pid=$!
  pause 2
  kill -KILL "$pid"
  { wait "$pid"; } 2>/dev/null || true
  pid=""
  read -r last save_ms <<<"$(awk '/^saved/{g=$2; n++; t+=$3} END{print g, (n ? int(t/n) : 0)}' "$work/first")"
  (( save_ms > 0 )) || fail "no save finished in 2 s: $(cat "$work/first")"
  range=$(( save_ms * 2 + 20 ))

  mkfifo "$work/lines"
  for ((k = 1; k <= count; k++)); do
    expect="$last $((last + 1))"
    start_loop "$file" $expect
    [ "$found" = "$last" ] && old=$((old + 1)) || new=$((new + 1))
    kill_loop_now "$range"
    n=$(leftovers "$dir")
    (( n <= 1 )) || fail "kill $k: $n temporary files beside the wall: $(ls -A "$dir")"
    (( n == 0 )) || leftover_kills=$((leftover_kills + 1))
    # Every tenth file also goes through the shipped tool.
    if (( k % 10 == 0 )); then
      "$tool" dump "$file" >"$work/dump.json" || fail "kill $k: wandquiz-wall dump cannot read the file"
      grep -Eq "\"question\": \"Generation ($last|$((last + 1)))\"" "$work/dump.json" \
        || fail "kill $k: wandquiz-wall dump shows another generation"
    fi
  done
  found=$("$helper" verify "$file" "$last" "$((last + 1))") || fail "after the last kill: $found"
  [ "$found" = "$last" ] && old=$((old + 1)) || new=$((new + 1))
  # The first run's kill is checked too.
  (( old + new == count + 1 )) || fail "counted $old + $new outcomes for $((count + 1)) kills"
  echo "$((count + 1)) kills: old wall $old, new wall $new, never damaged; a temporary file left by" \
       "$leftover_kills kills (cleared by the next start); one save of $(stat -c %s "$file") bytes" \
       "takes $save_ms ms"
  echo "$save_ms" >"$work/save_ms"
}

prepare_pauses

echo "== save_loop killed while saving"
mkdir -p "$work/plain"
kill_loop "$work/plain" "$kills"

echo "== the game closed by signals and killed while it saves"
export HOME=$work/home XDG_DATA_HOME=$work/home/data XDG_CONFIG_HOME=$work/home/config
export XDG_RUNTIME_DIR=$work/home/run QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES='qt.multimedia*=false'
data=$XDG_DATA_HOME/wandquiz
autosave=$data/AUTO.LX-WQZ
mkdir -p "$data" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

handles_sigterm() {
  local key value
  while read -r key value; do
    [ "$key" = SigCgt: ] && (( (0x$value >> 14) & 1 )) && return 0
  done <"/proc/$1/status"
  return 1
}

# Starts the game over an autosave of generation $1, waits until it handles
# SIGTERM (its window runs), then puts generation $1+1 in the autosave's
# place, so that a save on close is told from the old file.
start_game() {
  "$helper" write "$autosave" "$1" || fail "cannot write the autosave"
  # A script's background jobs ignore SIGINT; a game started from the desktop does not.
  env --default-signal=INT "$game" >"$work/game.log" 2>&1 &
  pid=$!
  local start
  start=$(now_ms)
  until handles_sigterm "$pid" 2>/dev/null; do
    kill -0 "$pid" 2>/dev/null || fail "the game ended while starting: $(cat "$work/game.log")"
    (( $(now_ms) - start < 60000 )) || fail "the game did not start within 60 s"
    pause 0.01
  done
  "$helper" write "$work/next.lx-wqz" "$(($1 + 1))" || fail "cannot write the next wall"
  mv "$work/next.lx-wqz" "$autosave"
}

close_ms=0
gen=100
for signal in TERM HUP INT; do
  start_game "$gen"
  start=$(now_ms)
  kill "-$signal" "$pid"
  # A game that does not close is ended after a minute and fails below.
  until [ "$(cut -d' ' -f3 "/proc/$pid/stat" 2>/dev/null || echo Z)" = Z ]; do
    (( $(now_ms) - start < 60000 )) || kill -KILL "$pid"
    pause 0.01
  done
  status=0
  wait "$pid" || status=$?
  pid=""
  took=$(( $(now_ms) - start ))
  (( took > close_ms )) && close_ms=$took
  [ "$status" -eq 0 ] || fail "SIG$signal: the game ended with status $status: $(cat "$work/game.log")"
  found=$("$helper" verify "$autosave" "$gen") || fail "SIG$signal: the autosave is not the game's wall: $found"
  gen=$((gen + 2))
done
echo "SIGTERM, SIGHUP, SIGINT: the game closed normally and wrote its autosave (slowest close $close_ms ms)"

old=0; new=0
for ((k = 1; k <= game_kills; k++)); do
  start_game "$gen"
  kill -TERM "$pid"
  # The closing save begins at once and takes about as long as one of save_loop.
  random_pause $(( $(cat "$work/save_ms") * 2 + 20 ))
  kill -KILL "$pid" 2>/dev/null || true
  { wait "$pid"; } 2>/dev/null || true
  pid=""
  found=$("$helper" verify "$autosave" "$gen" "$((gen + 1))") || fail "game kill $k: $found"
  [ "$found" = "$gen" ] && new=$((new + 1)) || old=$((old + 1))
  n=$(leftovers "$data")
  (( n <= 1 )) || fail "game kill $k: $n temporary files beside the autosave"
  gen=$((gen + 2))
done
echo "$game_kills games killed while closing: old autosave $old, new autosave $new, never damaged"
