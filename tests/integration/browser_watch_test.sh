#!/usr/bin/env bash
# Finding, launching and watching the browser under Wine with the stand-in installed in the
# test run's prefix: the tool's browser commands, then the engine's watch (browser_watch_check).
# usage: browser_watch_test.sh NETSCAPE.EXE BROWSER_WATCH_CHECK.EXE TOOL-COMMAND...
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
run="$here/../../scripts/wine-run"
build="$(dirname "$(dirname "$(realpath "$1")")")"
check="$(realpath "$2")"
shift 2
tool_command=("$@")
[ "${#tool_command[@]}" -gt 1 ] && tool_command[1]="$(realpath "${tool_command[1]}")"
scratch="$(mktemp -d)"
app_paths='HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\Netscape.exe'
folder='C:\Program Files\Netscape\%s\Program'
runner=""
failures=0
# One display for every program of the run: a wine-run with its own waits for the others.
. "$here/../../scripts/lib-display.sh"
[ -n "${DISPLAY:-}" ] || start_display || exit 1

# A stand-in started here is the child of its wine-run: both go.
stop_runner() {
  [ -n "$runner" ] && { pkill -P "$runner"; kill "$runner"; wait "$runner"; } 2>/dev/null
  runner=""
}
cleanup() {
  stop_runner
  "$run" reg add "$app_paths" /v Path /d "$(printf "$folder" Communicator)" /f >/dev/null 2>&1
  rm -rf "$scratch"
  stop_display
}
trap cleanup EXIT
expect() {  # WHAT ACTUAL EXPECTED-PART
  if [[ "$2" == *"$3"* ]]; then echo "ok: $1"; else echo "FAILED: $1: [$2]"; failures=$((failures + 1)); fi
}
tool() { (cd "$scratch/store" && "${tool_command[@]}" "$@" 2>&1 </dev/null | tr -d '\r'); }
wait_for() {  # answers: the browser answers; gone: no browser process
  for _ in $(seq 1 60); do
    if [ "$1" = answers ]; then tool browser answers >/dev/null && return 0; fi
    if [ "$1" = gone ] && [[ "$(tool browser find)" == count=0* ]]; then return 0; fi
    sleep 0.5
  done
}
start() {  # FOLDER [OPTION...]: the installed copy
  local name="$1"
  shift
  "$run" "$(printf "$folder" "$name")\\Netscape.exe" "$@" &
  runner=$!
  wait_for answers
}

mkdir -p "$scratch/store"
"$here/../../scripts/install-standin" "$build" >/dev/null || exit 1
for version in "Communicator 4" "Navigator 3"; do
  set -- $version
  start "$1"
  upper="$(printf "$folder" "$1" | tr '[:lower:]' '[:upper:]')\\NETSCAPE.EXE"
  expect "the $1 install is found as version $2" "$(tool browser find)" "path=$upper
version=$2"
  stop_runner
  wait_for gone
done

"$run" reg add "$app_paths" /v Path /d "C:\\Nowhere;$(printf "$folder" Communicator)" /f >/dev/null
expect "no browser runs" "$(tool browser find)" "count=0"
# The launched browser inherits the tool's output: a file, not a pipe that would wait for it.
(cd "$scratch/store" && "${tool_command[@]}" browser launch >"$scratch/launch.out" 2>&1 </dev/null)
expect "browser launch starts it" "$?" "0"
wait_for answers
expect "the launched browser is Communicator" "$(tool browser find)" "count=1"
work="$(tool browser work-window)"
echo '<title>Saved</title>' >"$scratch/store/page.html"
took="$(tool browser save "file:///Z|$scratch/store/page.html" saved.html --window "$work")"
expect "the save is taken by the work window $work" "$took" "$work"
sleep 2
expect "the saved file arrived" "$(cat "$scratch/store/saved.html")" "<title>Saved</title>"
tool browser open standin:quit >/dev/null
wait_for gone

start Communicator --log "Z:$scratch/browser.log"
tool browser open standin:alert >/dev/null
expect "an Alert is answered" "$(tool browser dialogs --answer)" "Alert - Netscape	answered"
tool browser open standin:modal >/dev/null
expect "a modal dialog is answered" "$(tool browser dialogs --answer)" "Security Information	answered"
expect "the Alert's OK and the modal dialog's bottom-right button were pressed" \
  "$(grep dialog-closed "$scratch/browser.log")" "dialog-closed 1 OK
dialog-closed 2 Continue"
mkdir -p "$scratch/engine"
expect "the engine's watch" "$(cd "$scratch/engine" && "$run" "$check" 2>&1 | tr -d '\r')" "passed"
expect "the progress dialogs were cancelled" "$(grep -c 'closed [0-9]* Cancel' "$scratch/browser.log")" 3
stop_runner
echo "$failures failed"
[ "$failures" -eq 0 ]
