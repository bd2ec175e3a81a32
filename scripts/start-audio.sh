# Source this file, then call start_audio before the tests and stop_audio after:
#
#   . scripts/start-audio.sh
#   start_audio || exit 1
#   trap stop_audio EXIT
#   WANDQUIZ_REQUIRE_SOUND=1 ctest --test-dir build --output-on-failure
#
# The server is a child of the sourcing shell: a bare `wait` there would wait
# for it too. Safe under `set -eu`.
#
# start_audio starts a private PulseAudio server (its own socket, its own
# folder, no hardware) whose default sink is the null sink "wandquiz_null", so
# played sound can be recorded from "wandquiz_null.monitor" (norewinds=1: with
# rewinds, the monitor misses the first milliseconds of a new stream). It exports
# PULSE_SERVER, PULSE_RUNTIME_PATH and PULSE_COOKIE, which Qt and parec use to
# find it. It works as root too: pulseaudio only warns about that unless it is
# asked for a system instance, which would need a "pulse" user and D-Bus.

wandquiz_audio_log() {
    echo "start-audio: $*" >&2
}

start_audio() {
    if [ -n "${WANDQUIZ_AUDIO_PID:-}" ]; then
        wandquiz_audio_log "already running (pid $WANDQUIZ_AUDIO_PID)"
        return 0
    fi
    local tool
    for tool in pulseaudio pactl parec; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            wandquiz_audio_log "$tool is missing (apt-get install pulseaudio pulseaudio-utils)"
            return 1
        fi
    done

    local dir
    dir=$(mktemp -d "${TMPDIR:-/tmp}/wandquiz-audio.XXXXXX") || return 1
    mkdir -p "$dir/runtime" "$dir/state" "$dir/home"
    chmod 700 "$dir/runtime"

    # HOME points into the temporary folder so the server keeps its cookie and
    # state out of the real home; -n skips the desktop default.pa (no hardware,
    # no suspend-on-idle, which would make the monitor stall).
    HOME="$dir/home" PULSE_RUNTIME_PATH="$dir/runtime" PULSE_STATE_PATH="$dir/state" \
        pulseaudio --daemonize=no --system=false -n \
            --exit-idle-time=-1 --disallow-exit=yes \
            --realtime=no --high-priority=no --disable-shm=yes \
            --log-target="file:$dir/pulseaudio.log" \
            --load="module-native-protocol-unix auth-anonymous=1 socket=$dir/runtime/native" \
            --load="module-null-sink sink_name=wandquiz_null rate=48000 channels=2 norewinds=1" \
            </dev/null >/dev/null 2>&1 &
    WANDQUIZ_AUDIO_PID=$!
    WANDQUIZ_AUDIO_DIR=$dir
    export PULSE_SERVER="unix:$dir/runtime/native"
    export PULSE_RUNTIME_PATH="$dir/runtime"
    export PULSE_COOKIE="$dir/home/.config/pulse/cookie"

    local tries=0
    until pactl info >/dev/null 2>&1; do
        tries=$((tries + 1))
        if [ "$tries" -gt 100 ] || ! kill -0 "$WANDQUIZ_AUDIO_PID" 2>/dev/null; then
            wandquiz_audio_log "PulseAudio did not start; its log:"
            cat "$dir/pulseaudio.log" >&2 || true
            stop_audio
            return 1
        fi
        sleep 0.1
    done
    if ! pactl set-default-sink wandquiz_null; then
        wandquiz_audio_log "could not make wandquiz_null the default sink"
        stop_audio
        return 1
    fi
    wandquiz_audio_log "PulseAudio running (pid $WANDQUIZ_AUDIO_PID, $PULSE_SERVER, default sink wandquiz_null)"
}

stop_audio() {
    if [ -n "${WANDQUIZ_AUDIO_PID:-}" ]; then
        kill "$WANDQUIZ_AUDIO_PID" 2>/dev/null || true
        # Wait at most 5 s for it to go, then make sure it does.
        local tries=0
        while kill -0 "$WANDQUIZ_AUDIO_PID" 2>/dev/null && [ "$tries" -lt 50 ]; do
            sleep 0.1
            tries=$((tries + 1))
        done
        kill -9 "$WANDQUIZ_AUDIO_PID" 2>/dev/null || true
        wait "$WANDQUIZ_AUDIO_PID" 2>/dev/null || true
    fi
    if [ -n "${WANDQUIZ_AUDIO_DIR:-}" ]; then
        rm -rf "$WANDQUIZ_AUDIO_DIR"
    fi
    unset WANDQUIZ_AUDIO_PID WANDQUIZ_AUDIO_DIR PULSE_SERVER PULSE_RUNTIME_PATH PULSE_COOKIE
    return 0
}
