#!/usr/bin/env bash
# Corvisant.exe as a person runs it under Wine, in a store of its own beside the installed
# stand-in browser and a site of 20 pages served over HTTP on 127.0.0.1: the store and the shell's
# file types it sets up, its windows and the controller's pictures, the pages browsed recorded
# into the history and the store, Rec and Track, a second start, a URL list opened from the shell,
# and after a close a new start that reads everything back and crawls the site breadth first.
# usage: program_test.sh CORVISANT.EXE TOOL-COMMAND...
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
run="$here/../../scripts/wine-run"
exe="$(realpath "$1")"
shift
tool_command=()
for word in "$@"; do [[ "$word" == */* ]] && word="$(realpath "$word")"; tool_command+=("$word"); done
for need in xwininfo xdotool import convert python3; do
  command -v "$need" >/dev/null || { echo "FAILED: no $need (x11-utils, xdotool, imagemagick)"; exit 1; }
done
scratch="$(mktemp -d)"
store="$scratch/store" && site="$scratch/site" && log="$scratch/browser.log"
db="$store/CorvisantDatabase"
program="" && browser="" && server="" && failures=0
# Every program of the run on one display without a window manager, so that the screenshots show
# the program's windows where it put them: the caller's (the test runs alone), else one of its own.
# shellcheck source=../../scripts/lib-display.sh
. "$here/../../scripts/lib-display.sh"
if [ -z "${DISPLAY:-}" ]; then start_display || exit 1; fi

# A Windows program started here is the child of its wine-run: both go.
stop() { [ -n "$1" ] && { pkill -P "$1"; kill "$1"; wait "$1"; } 2>/dev/null; }
cleanup() {
  stop "$program"
  stop "$browser"
  [ -n "$server" ] && kill "$server" 2>/dev/null
  rm -rf "$scratch"
  stop_display
}
trap cleanup EXIT
trap 'exit 130' INT TERM

ok() { echo "ok: $1"; }
bad() { echo "FAILED: $1"; failures=$((failures + 1)); }
expect() { if [ "$2" = "$3" ]; then ok "$1"; else bad "$1: got [$2], expected [$3]"; fi; }
check() { local what="$1" && shift && if "$@"; then ok "$what"; else bad "$what"; fi; }
within() {  # SECONDS COMMAND...: true once COMMAND succeeds, false when the time is up first
  local end=$((SECONDS + $1)) && shift
  until "$@"; do [ "$SECONDS" -lt "$end" ] || return 1; sleep 0.5; done
}
# DIR COMMAND...: COMMAND's status, or 124 when it still runs after a minute (it is ended then).
briefly() {
  local dir="$1" pid && shift
  (cd "$dir" && exec "$@" >/dev/null 2>&1 </dev/null) &
  pid=$!
  within 60 gone "$pid" || { stop "$pid"; return 124; }
  wait "$pid"
}
tool() { (cd "$store" && "${tool_command[@]}" "$@" 2>&1 </dev/null | tr -d '\r'); }
logged() { [ "$(grep -cxF -- "$1" "$log" 2>/dev/null)" -ge "${2:-1}" ]; }
has_entries() { [ "$(tool history count)" -ge "$1" ]; }
newest_url() { [ "$(tool history list --count 1 | cut -f3)" = "$1" ]; }
copy_of() { echo "$store/127.0.0.1\$$port/$1.html"; }
url() { echo "http://127.0.0.1:$port/$1.html"; }

# The program (EXE) started in the store root; up once its menu-bar window shows.
start_program() {
  (cd "$store" && exec "$run" "$1") &
  program=$!
  within 60 shown "Corvisant 1.02"
}
close_program() {
  check "app close is taken" tool app close
  if within 60 gone "$program"; then
    wait "$program"
    expect "the close ends the program with status 0" "$?" 0
  else
    bad "the program still runs a minute after the close" && stop "$program"
  fi
  program=""
}

# Windows as the X server shows them: Wine's top-level windows are its children, the topmost first.
shown() { xwininfo -name "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
geometry() {  # TITLE: X Y WIDTH HEIGHT of the window's X window
  xwininfo -name "$1" 2>/dev/null | awk '/Absolute upper-left X/ {x = $NF}
    /Absolute upper-left Y/ {y = $NF} /Width:/ {w = $NF} /Height:/ {h = $NF} END {print x, y, w, h}'
}
# The controller: the program's nameless window right below the menu-bar window (its X window id,
# then WIDTH HEIGHT X Y), its six pictures in three columns of two.
controller() {
  local x y w h
  read -r x y w h < <(geometry "Corvisant 1.02")
  xwininfo -root -children | grep '(has no name): ("corvisant.exe"' |
    awk -v x="$x" -v bottom="$((y + h))" '{split($(NF - 1), g, /[x+]/)}
      g[1] > 20 && g[3] >= x - 10 && g[3] <= x + 10 && g[4] >= bottom && g[4] <= bottom + 30 {
        print $1, g[1], g[2], g[3], g[4]; exit}'
}
controller_at() { [ "$(controller | cut -d' ' -f4,5)" = "$1 $2" ]; }
window_id() { xwininfo -name "$1" | awk '/Window id:/ {print $4; exit}'; }
declare -A cell=([1001]="0 0" [1003]="0 1" [1002]="1 0" [1006]="1 1" [204]="2 0" [205]="2 1")
# The browser's windows may cover the controller: it is raised for the screenshot.
shot() {
  xdotool windowraise "${place%% *}" && sleep 0.5 && import -window root "$scratch/shot.png"
}
picture() {  # ID [FORMAT]: the middle of the button's picture on the last screenshot
  local id w h x y column row && read -r id w h x y <<<"$place" && read -r column row <<<"${cell[$1]}"
  convert "$scratch/shot.png" -crop "$((w / 5))x$((h / 4))+$((x + w * (6 * column + 1) / 18))+$((
    y + h * (4 * row + 1) / 8))" +repage -depth 8 "${2:-rgb:-}"
}
picture_sum() { shot && picture "$1" | md5sum | cut -d' ' -f1; }
looks() { [ "$(picture_sum "$1")" = "$2" ]; }
differs() { ! looks "$@"; }
lacks() { ! grep -q "$2" "$1"; }
gone() { ! kill -0 "$1" 2>/dev/null; }

# The site: page N links to pages 2N and 2N+1 (one link absolute, one relative), so that a
# breadth-first crawl from page 1 opens them in their numbers' order. The extra pages are linked
# from nowhere.
mkdir -p "$store" "$site" && cd "$scratch" || exit 1
python3 -u -m http.server --bind 127.0.0.1 --directory "$site" 0 >"$scratch/server.out" 2>&1 &
server=$!
within 10 grep -q 'port [0-9]' "$scratch/server.out" || { echo "FAILED: no web server"; exit 1; }
port="$(grep -o 'port [0-9]*' "$scratch/server.out" | head -1 | cut -d' ' -f2)"
for n in $(seq 1 20) extra1 extra2; do
  links="" && [[ $n == [0-9]* ]] && [ "$n" -le 10 ] && links="<a href=\"$(url $((2 * n)))\">a</a>"
  [[ $n == [0-9]* ]] && [ "$n" -lt 10 ] && links+=" <a href=\"$((2 * n + 1)).html\">b</a>"
  printf '<html><head><title>Page %s</title></head><body>%s</body></html>\n' "$n" "$links" \
    >"$site/$n.html"
  [[ $n == [0-9]* ]] && url "$n" >>"$scratch/browse"
done
program_path="Z:$(tr / '\\' <<<"$store")\\Corvisant.exe"
entry='<HTML>\r\n<TITLE>***</TITLE></HTML>\r\n'
# The shell's file types name the program in the store root; this copy is what they start.
cp "$exe" "$store/" || exit 1

echo "--- the command line"
mkdir "$scratch/other" && cp "$exe" "$scratch/other/" || exit 1
expect "an argument other than /dde ends the program at once with status 0" \
  "$(briefly "$scratch/other" "$run" "$scratch/other/Corvisant.exe" /other; echo $?)" 0
check "... before it makes a store" test ! -e "$scratch/other/CorvisantDatabase"

echo "--- the first start, beside the browser"
"$run" 'C:\Program Files\Netscape\Communicator\Program\Netscape.exe' --log "$log" \
  --browse "$scratch/browse" --interval 1000 >/dev/null 2>&1 &
browser=$!
within 60 grep -qs '^window-opened ' "$log" || { echo "FAILED: the stand-in did not start"; exit 1; }
check "the program starts (its menu-bar window shows)" start_program "$exe"
check "the link comes up at start" within 30 logged "poke WWW_RegisterURLEcho CORVISANT"
check "app running finds the menu-bar window by its class" tool app running
for dir in hotlist history etc temp; do check "the store has $dir" test -d "$db/$dir"; done
check "the version file holds 1.02" cmp -s "$db/etc/version" <(printf 1.02)
check "the entry page is written" cmp -s "$db/etc/entry.html" <(printf %b "$entry")
check "the manual is installed into the store" diff -r "$(dirname "$exe")/CorvisantDocument" \
  "$store/CorvisantDocument"
for pair in "urli Index" "urld Data"; do
  read -r ext kind <<<"$pair" && class="CorvisantURLList$kind"
  for row in ".$ext=$class" "$class=Corvisant URL List $kind File" \
    "$class\\DefaultIcon=$program_path,1" "$class\\shell\\open\\command=$program_path /dde" \
    "$class\\shell\\open\\ddeexec=[open(\"%1\")]"; do
    got="$("$run" reg query "HKCR\\${row%%=*}" /ve 2>&1 | tr -d '\r' |
      sed -n 's/^ *(Default) *REG_SZ *//p')"
    expect "HKEY_CLASSES_ROOT\\${row%%=*}" "$got" "${row#*=}"
  done
done

echo "--- the windows"
check "the History window shows" shown History
place="$(controller)"
check "the controller shows right below the menu-bar window" test -n "$place"
shot
for id in "${!cell[@]}"; do
  spread="$(picture "$id" png:- | convert - -format '%[fx:standard_deviation]' info:)"
  check "button $id shows a picture (spread $spread)" awk -v s="$spread" 'BEGIN {exit !(s > 0.05)}'
done
declare -A began  # the pictures as the start shows them
for id in 1003 204 205; do began[$id]="$(picture "$id" | md5sum | cut -d' ' -f1)"; done
# The menu-bar window opens at its default place (10, 10); moved 200 to the right and 100 down,
# the controller follows it.
read -r menu_x menu_y _ <<<"$(geometry "Corvisant 1.02")"
read -r _ _ _ x y <<<"$place"
xdotool windowmove "$(window_id "Corvisant 1.02")" $((menu_x + 200)) $((menu_y + 100))
check "the controller follows the menu-bar window" within 10 controller_at $((x + 200)) $((y + 100))
place="$(controller)"

echo "--- browsing"
check "the browser browsed the 20 pages" within 120 logged browse-done
check "the history holds them" within 60 has_entries 20
expect "the history's URLs and titles, oldest first" \
  "$(tool history list --oldest-first | cut -f3,4)" \
  "$(for n in $(seq 1 20); do printf '%s\tPage %s\n' "$(url "$n")" "$n"; done)"
for n in $(seq 1 20); do
  copy="$(copy_of "$n")"
  check "page $n is stored" test -f "$copy"
  check "page $n's copy has no link to the site" lacks "$copy" "http://127.0.0.1"
  [ "$((2 * n))" -le 20 ] || continue
  link="$(grep -o 'href="[^"]*"' "$copy" | head -1 | cut -d'"' -f2)"
  [[ "$link" == file:///Z\|/* ]] && link="${link#file:///Z|}" || link="$(dirname "$copy")/$link"
  expect "page $n's link to page $((2 * n)) leads to its copy" "$(realpath -q "$link")" \
    "$(copy_of $((2 * n)))"
done

echo "--- Rec and Track"
tool app press 205 >/dev/null
check "Track's picture changes" within 10 differs 205 "${began[205]}"
tool browser open "$(url extra1)" >/dev/null
check "without Track, a page is stored" within 30 test -f "$(copy_of extra1)"
tool app press 205 >/dev/null && tool app press 204 >/dev/null
check "Rec's picture changes" within 10 differs 204 "${began[204]}"
tool browser open "$(url extra2)" >/dev/null
check "with Track, a page is recorded" within 30 newest_url "$(url extra2)"
check "... and only that one" lacks <(tool history list) extra1
check "without Rec, the page is not stored" test ! -e "$(copy_of extra2)"
tool app press 204 >/dev/null
check "Rec shows as at the start again" within 10 looks 204 "${began[204]}"
check "Track shows as at the start again" within 10 looks 205 "${began[205]}"

echo "--- a URL list from the shell, a second start"
tool export urllist history visited >/dev/null
briefly "$store" "$run" start visited.urli
check "wine start visited.urli opens the list's window" within 30 shown visited
expect "a second start ends with status 0" "$(briefly "$store" "$run" "$store/Corvisant.exe"; echo $?)" 0
check "... and the first one runs on" tool app running
expect "... with its one menu-bar window" "$(xwininfo -root -children | grep -c '"Corvisant 1.02"')" 1

echo "--- the close"
touch "$db/temp/leftover"
close_program
check "the close empties temp" test -z "$(ls -A "$db/temp")"
expect "the menu-bar window's place is saved" "$(grep MenuBarWindow "$db/etc/windowpos")" \
  "MenuBarWindow = 210 110 710 410"

echo "--- the second start reads the store back, then crawls the site"
tool prefs set navigation-method 129 >/dev/null   # breadth first, within the site
tool prefs set show-page 0 >/dev/null
printf 0.99 >"$db/etc/version" && echo stale >"$db/etc/entry.html" && touch "$db/temp/leftover"
echo "<!-- mine -->" >>"$store/CorvisantDocument/manual.html"
check "the program starts again" start_program "$exe"
check "the link comes up again" within 30 logged "poke WWW_RegisterURLEcho CORVISANT" 2
expect "the menu-bar window opens where it was left" "$(geometry "Corvisant 1.02" | cut -d' ' -f1,2)" \
  "$((menu_x + 200)) $((menu_y + 100))"
expect "the version file is left as it was" "$(cat "$db/etc/version")" 0.99
check "the entry page is written anew" cmp -s "$db/etc/entry.html" <(printf %b "$entry")
check "temp is emptied at start" test ! -e "$db/temp/leftover"
check "the store's own manual is kept" grep -q "<!-- mine -->" "$store/CorvisantDocument/manual.html"
expect "the history is still there" "$(tool history count)" 21
tool browser open "$(url 1)" >/dev/null
check "page 1 is the newest visit" within 30 newest_url "$(url 1)"
place="$(controller)"
mark="$(wc -l <"$log")"
tool app press 1003 >/dev/null
check "Auto navi. goes down" within 10 differs 1003 "${began[1003]}"
check "the crawl reaches page 20" within 120 grep -qF "request WWW_OpenURL \"$(url 20)\"" "$log"
check "the crawl's finish releases Auto navi." within 60 looks 1003 "${began[1003]}"
# An open to show a page names no file; one that names a file is a save.
expect "the crawl showed the pages once each, from page 1 breadth first" \
  "$(tail -n +"$((mark + 1))" "$log" | grep -o "^request WWW_OpenURL \"$(url '[0-9]*')\",," |
    grep -o '[0-9]*\.html' | tr '\n' ' ')" "$(seq -f '%g.html' -s ' ' 1 20) "
close_program
expect "the preferences are kept" "$(tool prefs show | grep -E '^(show page|navigation method)')" \
  "show page = 0 secs
navigation method = 0x0081"

echo "$failures failed"
[ "$failures" -eq 0 ]
