#!/usr/bin/env bash
# The engine over real DDEML under Wine: the stand-in browses 20 pages of a site and the engine
# (engine_link_check) records each into the history and the store.
# usage: engine_link_test.sh NETSCAPE.EXE ENGINE_LINK_CHECK.EXE
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
run="$here/../../scripts/wine-run"
browser="$(realpath "$1")"
check="$(realpath "$2")"
pages=20
scratch="$(mktemp -d)"
# The stand-in is the child of its wine-run: both go.
cleanup() {
  pkill -P "$browser_pid" 2>/dev/null
  kill "$browser_pid" 2>/dev/null
  wait "$browser_pid" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
mkdir -p "$scratch/site/pages.test" "$scratch/store"
for i in $(seq 1 "$pages"); do
  printf '<html><head><title>Page %d</title></head><body><a href="http://pages.test/%d.html">next</a> <a href="/">home</a></body></html>\n' \
    "$i" "$((i % pages + 1))" >"$scratch/site/pages.test/$i.html"
  echo "http://pages.test/$i.html"
done >"$scratch/browse"
"$run" "$browser" --site "$scratch/site" --browse "$scratch/browse" --interval 1500 &
browser_pid=$!
cd "$scratch/store" && "$run" "$check" "$scratch/site" "$pages" 90
