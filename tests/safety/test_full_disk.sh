#!/usr/bin/env bash
# Saving to a full disk or a read-only folder fails and leaves the old file
# whole, no temporary file and no space kept; the game over such a user data
# folder still starts and closes normally. The disk is a small tmpfs in a
# private mount namespace (a real ENOSPC), read-only a read-only mount (root
# passes file permissions); without a namespace the test is skipped.
#
#   test_full_disk.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
helper=$build/tests/safety/save_loop
game=$build/bin/wandquiz

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

if [ "${2:-}" != "--inside" ]; then
  # A mount namespace of our own, else one in a user namespace (no root needed).
  probe=$(mktemp -d)
  for candidate in "unshare -m" "unshare -rm"; do
    if $candidate mount -t tmpfs -o size=1m none "$probe" 2>/dev/null; then
      rmdir "$probe"
      exec $candidate bash "$0" "$build" --inside
    fi
  done
  rmdir "$probe"
  echo "skipped: no mount namespace here (unshare) for a small disk of its own"
  exit 77
fi

work=$(mktemp -d)
pid=""
hidden_proc=""
cleanup() {
  [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null || true
  chmod -R u+w "$work" 2>/dev/null || true
  if [ -n "$hidden_proc" ]; then umount /proc 2>/dev/null || true; fi
  umount "$work/readonly" 2>/dev/null || true
  umount "$work/disk" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
others() { find "$1" -mindepth 1 -maxdepth 1 ! -name "$(basename "$2")" ! -name instance.lock | wc -l; }
used_kb() { df -k --output=used "$1" | tail -1 | tr -d ' '; }

export HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_RUNTIME_DIR=$work/home/run
export QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES='qt.multimedia*=false'
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# expect_failed_save FILE GEN_THERE WHAT: one more save into FILE fails and
# FILE is still generation GEN_THERE, alone in its folder.
expect_failed_save() {
  local file=$1 there=$2 what=$3 before found
  before=$(md5sum <"$file")
  if "$helper" write "$file" 999 2>/dev/null; then fail "$what: SAVE reported success"; fi
  [ "$(md5sum <"$file")" = "$before" ] || fail "$what: the old file changed"
  found=$("$helper" verify "$file" "$there") || fail "$what: the old file does not load: $found"
  (( $(others "$(dirname "$file")" "$file") == 0 )) || fail "$what: files left: $(ls -A "$(dirname "$file")")"
}

# run_game DATA_HOME WHAT: the game starts over that user data folder, runs
# its window and ends with status 0 on SIGTERM.
run_game() {
  local what=$2 start status=0 mask
  (
    export XDG_DATA_HOME=$1
    exec env --default-signal=INT "$game" >"$work/game.log" 2>&1
  ) &
  pid=$!
  start=$(now_ms)
  while :; do
    mask=$(awk '/^SigCgt/{print $2}' "/proc/$pid/status" 2>/dev/null || true)
    [ -n "$mask" ] && (( (0x$mask >> 14) & 1 )) && break
    kill -0 "$pid" 2>/dev/null || fail "$what: the game ended while starting: $(cat "$work/game.log")"
    (( $(now_ms) - start < 60000 )) || fail "$what: the game did not start within 60 s"
    sleep 0.01
  done
  kill -TERM "$pid"
  start=$(now_ms)
  until [ "$(cut -d' ' -f3 "/proc/$pid/stat" 2>/dev/null || echo Z)" = Z ]; do
    (( $(now_ms) - start < 60000 )) || kill -KILL "$pid"
    sleep 0.01
  done
  wait "$pid" || status=$?
  pid=""
  [ "$status" -eq 0 ] || fail "$what: the game ended with status $status: $(cat "$work/game.log")"
}

disk=$work/disk
data=$disk/data/wandquiz
mkdir -p "$disk"
# Room for one 3.2 MB wall, not for two.
mount -t tmpfs -o size=5m none "$disk"
mkdir -p "$data"
"$helper" write "$data/AUTO.LX-WQZ" 0 || fail "the first wall does not fit"
used=$(used_kb "$disk")
expect_failed_save "$data/AUTO.LX-WQZ" 0 "full disk"
[ "$(used_kb "$disk")" = "$used" ] || fail "full disk: the failed save keeps space ($(used_kb "$disk") KB, was $used KB)"
echo "full disk: SAVE fails, the old wall is whole, no space is kept"

# Not a byte left; the game still opens the old wall and closes.
dd if=/dev/zero of="$disk/filler" bs=64k 2>/dev/null || true
run_game "$disk/data" "full disk"
found=$("$helper" verify "$data/AUTO.LX-WQZ" 0) || fail "full disk: the autosave after the game: $found"
(( $(others "$data" "$data/AUTO.LX-WQZ") == 0 )) || fail "full disk: the game left files: $(ls -A "$data")"
rm "$disk/filler"
echo "full disk: the game starts, closes with status 0 and the autosave is whole"

# The same folder seen through a read-only bind mount.
readonly=$work/readonly
mkdir -p "$readonly"
mount --bind "$disk" "$readonly"
mount -o remount,bind,ro "$readonly"
expect_failed_save "$readonly/data/wandquiz/AUTO.LX-WQZ" 0 "read-only folder"
run_game "$readonly/data" "read-only folder"
found=$("$helper" verify "$readonly/data/wandquiz/AUTO.LX-WQZ" 0) \
  || fail "read-only folder: the autosave after the game: $found"
umount "$readonly"
echo "read-only folder: SAVE fails, the old wall is whole, the game starts and closes with status 0"

# The same full disk where Qt has to use named temporary files (file
# systems without unnamed ones): the failed save removes its own.
mount -t tmpfs none /proc
hidden_proc=1
dd if=/dev/zero of="$disk/filler" bs=64k count=16 2>/dev/null
expect_failed_save "$data/AUTO.LX-WQZ" 0 "full disk, named temporary files"
echo "full disk with named temporary files: SAVE fails, nothing is left behind"
