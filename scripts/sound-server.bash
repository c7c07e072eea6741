# Sourced by scripts that need a sound server of their own (scripts/bench,
# packaging/tests/sound-server-test): a PulseAudio for one run, as any user,
# root included, with a null sink in the game's format whose monitor is the
# default source, reached only on a socket in a temporary folder that is also
# its home.
#
#   start_sound_server   exports PULSE_SERVER; returns 1, with the server's
#                        complaint on stderr, if it cannot start
#   stop_sound_server    stops it and removes its folder (safe to call twice)

sound_server_dir=
sound_server_pid=

start_sound_server() {
  sound_server_dir=$(mktemp -d)
  # The game's own format, so that the server neither resamples nor remixes.
  cat >"$sound_server_dir/server.pa" <<CONFIG
load-module module-null-sink sink_name=game format=s16le channels=1 rate=44100
set-default-source game.monitor
load-module module-native-protocol-unix socket=$sound_server_dir/native auth-anonymous=1
CONFIG
  # Its home and runtime folders are the temporary one, so it finds no user's
  # configuration, cookie or running server; no PID file, so it does not care
  # that another server may be running as the same user.
  HOME=$sound_server_dir XDG_RUNTIME_DIR=$sound_server_dir PULSE_RUNTIME_PATH=$sound_server_dir \
    XDG_CONFIG_HOME=$sound_server_dir \
    pulseaudio -n -F "$sound_server_dir/server.pa" --daemonize=no --use-pid-file=no --exit-idle-time=-1 \
    --disallow-exit 2>"$sound_server_dir/server.log" &
  sound_server_pid=$!
  for _ in $(seq 50); do
    [ -S "$sound_server_dir/native" ] && break
    kill -0 "$sound_server_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -S "$sound_server_dir/native" ]; then
    cat "$sound_server_dir/server.log" >&2
    return 1
  fi
  export PULSE_SERVER=unix:$sound_server_dir/native
}

stop_sound_server() {
  if [ -n "$sound_server_pid" ]; then
    kill "$sound_server_pid" 2>/dev/null || true
    wait "$sound_server_pid" 2>/dev/null || true
    sound_server_pid=
  fi
  [ -z "$sound_server_dir" ] || rm -rf "$sound_server_dir"
  sound_server_dir=
}
