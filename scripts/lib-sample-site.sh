# shellcheck shell=bash
# Sourced by run: the sample site, the HTML of Debian's python3.11-doc served on 127.0.0.1 by
# Python's own HTTP server.
#   sample_site_dir                 prints the folder of the HTML (fails when the package is absent)
#   start_sample_site DIR LOG [PORT] serves DIR, on PORT when it is free, else on a port the system
#                                   picks; sets SAMPLE_SITE_URL to the start page
#   stop_sample_site                ends the server

SAMPLE_SITE_PACKAGE=python3.11-doc
SAMPLE_SITE_URL=""
sample_site_pid=""

sample_site_dir() {
  local dir
  dir="$(readlink -f "/usr/share/doc/$SAMPLE_SITE_PACKAGE/html" 2>/dev/null)" || return 1
  [ -f "$dir/index.html" ] || return 1
  printf '%s\n' "$dir"
}

# Serves DIR on PORT and waits until the server has said which port it took; fails when the
# server ends first (the port is taken, say).
# shellcheck disable=SC2034  # SAMPLE_SITE_URL is for the sourcing script
serve_sample_site() {
  local dir="$1" log="$2" port="$3" taken="" tenth
  : >"$log"
  # -u: the server's "Serving HTTP on ... port N" line must reach LOG at once.
  python3 -u -m http.server --bind 127.0.0.1 --directory "$dir" "$port" >"$log" 2>&1 &
  sample_site_pid=$!
  for ((tenth = 0; tenth < 100; ++tenth)); do
    taken="$(sed -n 's/^Serving HTTP on [^ ]* port \([0-9][0-9]*\) .*/\1/p' "$log")"
    [ -n "$taken" ] && break
    kill -0 "$sample_site_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$taken" ]; then
    stop_sample_site
    return 1
  fi
  SAMPLE_SITE_URL="http://127.0.0.1:$taken/index.html"
}

start_sample_site() {
  local dir="$1" log="$2" port="${3:-0}"
  serve_sample_site "$dir" "$log" "$port" && return 0
  [ "$port" != 0 ] && serve_sample_site "$dir" "$log" 0
}

stop_sample_site() {
  [ -n "$sample_site_pid" ] || return 0
  kill "$sample_site_pid" 2>/dev/null
  wait "$sample_site_pid" 2>/dev/null
  sample_site_pid=""
}
