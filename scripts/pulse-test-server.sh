#!/usr/bin/env bash
# A private PulseAudio server that stands in for a microphone and a speaker in the audio tests.
#
#   scripts/pulse-test-server.sh start [DIR]   start it; prints the environment to use (export lines)
#   scripts/pulse-test-server.sh stop  [DIR]   stop it
#   scripts/pulse-test-server.sh env   [DIR]   print the environment again
#
# DIR (default ${BT_PULSE_DIR:-${TMPDIR:-/tmp}/balalaika-tuner-pulse}) holds the server's socket, pid
# file, log and an "env" file with the same export lines. Everything the server touches lives in DIR,
# so it never meets a user's own server. Typical use:
#
#   eval "$(scripts/pulse-test-server.sh start)"; ctest --test-dir build -L audio; scripts/pulse-test-server.sh stop
#
# The server has a null sink "vmic" (44100 Hz mono, the default sink) and a source "vmic_in" remapped
# from its monitor (the default source), so what is played into "vmic" is what the application hears;
# "vmic.monitor" records what the application plays. A silent keep-alive stream keeps the null sink
# delivering while nothing else plays. Root may run it (PulseAudio warns, and works).
set -euo pipefail

command=${1:-}
dir=${2:-${BT_PULSE_DIR:-${TMPDIR:-/tmp}/balalaika-tuner-pulse}}

print_env() {
  echo "export PULSE_SERVER=unix:$dir/native"
  echo "export PULSE_RUNTIME_PATH=$dir"
  echo "export BT_PULSE_DIR=$dir"
}

client_env() {
  export PULSE_SERVER="unix:$dir/native" PULSE_RUNTIME_PATH="$dir" PULSE_STATE_PATH="$dir/state"
  export PULSE_COOKIE="$dir/cookie"
}

is_up() { client_env; pactl info >/dev/null 2>&1; }

stop_server() {
  client_env
  if [ -f "$dir/keepalive.pid" ]; then
    kill "$(cat "$dir/keepalive.pid")" 2>/dev/null || true
    rm -f "$dir/keepalive.pid"
  fi
  if [ -f "$dir/server.pid" ]; then
    local pid
    pid=$(cat "$dir/server.pid")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null || true
    rm -f "$dir/server.pid"
  fi
  rm -f "$dir/native"
}

case "$command" in
  start)
    mkdir -p "$dir/state"
    chmod 700 "$dir"
    if is_up; then
      print_env
      exit 0
    fi
    stop_server
    client_env
    export HOME="$dir" XDG_CONFIG_HOME="$dir/config" XDG_RUNTIME_DIR="$dir"
    setsid pulseaudio --daemonize=no -n --exit-idle-time=-1 --realtime=no --high-priority=no \
      --use-pid-file=no --disable-shm=yes --log-target=file:"$dir/server.log" \
      --load="module-native-protocol-unix auth-anonymous=1 socket=$dir/native" \
      --load="module-null-sink sink_name=vmic rate=44100 channels=1" \
      --load="module-remap-source source_name=vmic_in master=vmic.monitor channels=1" \
      </dev/null >/dev/null 2>&1 &
    echo $! >"$dir/server.pid"
    for _ in $(seq 100); do is_up && break; sleep 0.1; done
    if ! is_up; then
      echo "pulse-test-server: the server did not come up; see $dir/server.log" >&2
      stop_server
      exit 1
    fi
    pactl set-default-sink vmic
    pactl set-default-source vmic_in
    # A small latency: the null sink sleeps as long as its most patient stream allows, and a keep-alive
    # with the default (2 s) latency would make a new stream wait that long for its first requests.
    setsid pacat --playback -d vmic --rate=44100 --channels=1 --format=s16le --raw --latency-msec=20 </dev/zero >/dev/null 2>&1 &
    echo $! >"$dir/keepalive.pid"
    sleep 2  # the null sink and the remapped source need a moment before they deliver steadily
    print_env | tee "$dir/env"
    ;;
  stop)
    stop_server
    ;;
  env)
    print_env
    ;;
  *)
    echo "usage: $0 start|stop|env [DIR]" >&2
    exit 2
    ;;
esac
