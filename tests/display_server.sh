#!/bin/sh
# The virtual X display (Xvfb) of a test run, for the test programs that put
# windows on a screen and for everything run under Wine.
#
#   display_server.sh start DIR           starts a server; DIR keeps its state
#   display_server.sh run DIR PROGRAM...  runs PROGRAM on that server's display
#   display_server.sh stop DIR            stops the server
#
# The server picks a free display number itself (-displayfd) and writes it
# once it accepts connections, so that runs side by side never race for a
# number, and the tests never reach the display of the person running them.
# It does not reset when its last client leaves: a reset refuses the
# connections of the program that comes next.
set -eu

if [ $# -lt 2 ]; then
  echo "usage: $0 start|run|stop DIR [PROGRAM...]" >&2
  exit 2
fi
action=$1
dir=$2
shift 2

stop_server() {
  if [ -f "$dir/pid" ]; then
    kill "$(cat "$dir/pid")" 2>/dev/null || true
    rm -f "$dir/pid"
  fi
  rm -f "$dir/display"
}

case $action in
  start)
    mkdir -p "$dir"
    stop_server  # one left behind by an interrupted run
    Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 1280x1024x24 \
      3>"$dir/display" >"$dir/server.log" 2>&1 </dev/null &
    echo $! >"$dir/pid"
    tries=0
    while [ ! -s "$dir/display" ]; do
      tries=$((tries + 1))
      if [ $tries -gt 200 ] || ! kill -0 "$(cat "$dir/pid")" 2>/dev/null; then
        echo "Xvfb did not start:" >&2
        cat "$dir/server.log" >&2
        stop_server
        exit 1
      fi
      sleep 0.05
    done
    echo "display :$(cat "$dir/display")"
    ;;
  run)
    if [ ! -s "$dir/display" ]; then
      echo "no display server runs for $dir" >&2
      exit 1
    fi
    DISPLAY=":$(cat "$dir/display")"
    export DISPLAY
    exec "$@"
    ;;
  stop)
    stop_server
    ;;
  *)
    echo "unknown action $action" >&2
    exit 2
    ;;
esac
