# Sourced by wine-run and test: an X server for Wine when the caller has none.
# start_display sets DISPLAY to a new Xvfb; stop_display ends Wine's hold on it, then the server.

display_pid=""
WINESERVER_BIN="${CORVISANT_WINESERVER:-/usr/lib/wine/wineserver}"

start_display() {
  local display tries
  for display in $(seq 90 140); do
    if [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; then continue; fi
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    display_pid=$!
    for tries in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$display" ] && break
      kill -0 "$display_pid" 2>/dev/null || break
      sleep 0.1
    done
    if kill -0 "$display_pid" 2>/dev/null; then
      export DISPLAY=":$display"
      return 0
    fi
    display_pid=""
  done
  echo "could not start Xvfb" >&2
  return 1
}

stop_display() {
  [ -n "$display_pid" ] || return 0
  # Wine's own processes hold the display until the wineserver ends; let them go first.
  WINEPREFIX="${WINEPREFIX:-}" "$WINESERVER_BIN" -w 2>/dev/null
  kill "$display_pid" 2>/dev/null
  wait "$display_pid" 2>/dev/null
  display_pid=""
}
