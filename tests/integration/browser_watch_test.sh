#!/usr/bin/env bash
# Finding, launching and watching the browser under Wine. The stand-in is installed in the test
# run's prefix (both versions); the tool finds each by its install path, launches it from the
# registered App Paths when the first folder there is wrong, opens the work window whose id a
# save then uses, pushes an Alert's OK and a modal dialog's bottom-right button; then the engine
# (browser_watch_check) hides its work window, dismisses progress dialogs when the queue is
# cleared and takes the link down when the browser closes.
# usage: browser_watch_test.sh NETSCAPE.EXE BROWSER_WATCH_CHECK.EXE TOOL-COMMAND...
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
run="$here/../../scripts/wine-run"
browser="$(realpath "$1")"
check="$(realpath "$2")"
shift 2
tool_command=("$@")
if [ "${#tool_command[@]}" -gt 1 ]; then tool_command[1]="$(realpath "${tool_command[1]}")"; fi
scratch="$(mktemp -d)"
app_paths='HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\Netscape.exe'
folder='C:\Program Files\Netscape\%s\Program'
runner=""
failures=0

# A stand-in started here is the child of its wine-run: both go.
stop_runner() {
  [ -n "$runner" ] || return 0
  pkill -P "$runner" 2>/dev/null
  kill "$runner" 2>/dev/null
  wait "$runner" 2>/dev/null
  runner=""
}
cleanup() {
  stop_runner
  "$run" reg add "$app_paths" /v Path /t REG_SZ /d "$(printf "$folder" Communicator)" /f >/dev/null 2>&1
  rm -rf "$scratch"
}
trap cleanup EXIT
expect() {  # WHAT ACTUAL EXPECTED-SUBSTRING
  if [[ "$2" == *"$3"* ]]; then echo "ok: $1"; else echo "FAILED: $1: got [$2], wanted [$3]"; failures=$((failures + 1)); fi
}
tool() { (cd "$scratch/store" && "${tool_command[@]}" "$@" 2>&1 | tr -d '\r'); }
wait_for() {  # until the browser answers (yes) or finds no browser process (no)
  for _ in $(seq 1 60); do
    if [ "$1" = yes ]; then tool browser answers >/dev/null && return 0
    else [[ "$(tool browser find)" == *count=0* ]] && return 0; fi
    sleep 0.5
  done
  return 1
}

mkdir -p "$scratch/store"
"$here/../../scripts/install-standin" "$(dirname "$(dirname "$browser")")" >/dev/null || exit 1

for version in "Communicator 4" "Navigator 3"; do
  set -- $version
  "$run" "$(printf "$folder" "$1")\\Netscape.exe" &
  runner=$!
  wait_for yes
  upper="$(printf "$folder" "$1" | tr '[:lower:]' '[:upper:]')\\NETSCAPE.EXE"
  expect "the $1 install is found as version $2" "$(tool browser find)" "path=$upper
version=$2"
  stop_runner
  wait_for no
done

# Launched from the registry, the browser not running and the first folder of Path wrong.
"$run" reg add "$app_paths" /v Path /t REG_SZ /d "C:\\Nowhere\\Program;$(printf "$folder" Communicator)" /f >/dev/null
expect "no browser runs" "$(tool browser find)" "count=0"
# The launched browser inherits the tool's output: a file, not a pipe that would wait for it.
(cd "$scratch/store" && "${tool_command[@]}" browser launch >"$scratch/launch.out" 2>&1 </dev/null)
expect "browser launch starts it" "$?" "0"
wait_for yes
expect "the launched browser is Communicator" "$(tool browser find)" "count=1"
work="$(tool browser work-window)"
echo "work window id: $work"
printf '<title>Saved</title>\n' >"$scratch/store/page.html"
took="$(tool browser save "file:///Z|${scratch}/store/page.html" saved.html --window "$work")"
expect "the save is taken by the work window" "$took" "$work"
for _ in $(seq 1 20); do [ -f "$scratch/store/saved.html" ] && break; sleep 0.5; done
expect "the saved file arrived" "$(cat "$scratch/store/saved.html" 2>/dev/null)" "<title>Saved</title>"
tool browser open standin:quit >/dev/null
wait_for no

# The dialogs answered by one watch, and the engine's watch, against the installed Communicator
# (a browser outside an install folder has no version, and no titles are its windows').
"$run" "$(printf "$folder" Communicator)\\Netscape.exe" --log "Z:$scratch/browser.log" &
runner=$!
wait_for yes
tool browser open standin:alert >/dev/null
expect "an Alert is answered" "$(tool browser dialogs --answer)" "Alert - Netscape	answered"
tool browser open standin:modal >/dev/null
expect "a modal dialog is answered" "$(tool browser dialogs --answer)" "Security Information	answered"
expect "the Alert's OK and the modal dialog's bottom-right button were pressed" \
  "$(grep dialog-closed "$scratch/browser.log")" "dialog-closed 1 OK
dialog-closed 2 Continue"
mkdir -p "$scratch/engine"
engine="$(cd "$scratch/engine" && "$run" "$check" 2>&1 | tr -d '\r')"
echo "$engine"
expect "the engine's watch" "$engine" "passed"
expect "the progress dialogs were cancelled" "$(grep -c 'dialog-closed [0-9]* Cancel' "$scratch/browser.log")" "3"
stop_runner

[ "$failures" -eq 0 ] && echo "passed" || echo "$failures failed"
[ "$failures" -eq 0 ]
