#!/usr/bin/env bash
# The history, list and export commands on hostile sizes, names and paths, and two writers of one
# history and one list at once. usage: history_tool_test.sh VISITS-OF-EACH-WRITER TOOL [ARG...]
set -uo pipefail
root="$(mktemp -d "$PWD/history-tool.XXXXXX")"
trap 'rm -rf "$root"' EXIT
cd "$root" || exit 1
visits="$1" && shift && tool=("$@") && failures=0
fail() { echo "FAIL: $*" && failures=$((failures + 1)); }
# expect STATUS OUTPUT ERROR COMMAND-WORDS...: ERROR is what follows "corvisant-tool: ".
expect() {
  local status="$1" output="$2" error="${3:+corvisant-tool: $3}" actual code
  shift 3 && actual="$("${tool[@]}" "$@" 2>err)"
  code=$?
  [ "$code" = "$status" ] && [ "$actual" = "$output" ] && [ "$(cat err)" = "$error" ] ||
    fail "$* gave $code '$actual' '$(cat err)', not $status '$output' '$error'"
}
cant() { echo "Corvisant can't create $1. Make sure the disk isn't write protected nor it" \
  "isn't full."; }
entry=$'\t100\thttp://a/\tA\\x0aline'

expect 0 recorded "" history add http://a/ --title $'A\nline' --now 100
expect 0 "0$entry" "" history list --count 9223372036854775807
expect 0 "" "" export hotlist history h.html
grep -q '">A line</A>' h.html || fail "a title's line feed split its hotlist line"
expect 0 "" "" list append L http://l/ T 5
cp CorvisantDatabase/history/HistoryIndex I.copy && cp L.urli L.copy
for path in CorvisantDatabase/history/HistoryIndex ./corvisantdatabase//HISTORY/HistoryURL.0001; do
  expect 1 "" "$(cant "$path")" export hotlist history "$path"
done
expect 1 "" "$(cant "$root/sub/../L.urli.")" export visit L "$root/sub/../L.urli."
expect 1 "" "$(cant l.urli)" export urllist L l
cmp -s I.copy CorvisantDatabase/history/HistoryIndex && cmp -s L.copy L.urli || fail "overwritten"
expect 1 "" "the history only grows by visits: it is not appended to, sorted or reversed as a \
pair" list sort history
expect 1 "" "the list files cannot hold the time 4294967296" list append L u t 4294967296
for name in NUL COM1 AUX x. "x "; do
  expect 1 "" "not a hotlist name: $name" hotlist create "$name"
done

# Sparse indexes: 5 GB of zeros after the first record, and more than 2^31 records.
truncate -s 5G CorvisantDatabase/history/HistoryIndex
expect 0 447392426 "" history count
expect 0 "447392425$entry" "" history list
expect 1 "" "no readable entry 4294967296" history line 4294967296
truncate -s $(((2 ** 31 + 2) * 12)) L.urli
expect 1 "" "the list has 2147483650 records: more than the 4194304 that are sorted or reversed \
in memory" list sort L
rm -rf CorvisantDatabase L.*

# Two writers at once: every visit and entry lands whole, with its own time.
write() {
  for ((i = 0; i < visits; i++)); do
    "${tool[@]}" history add "http://$1.example/$i" --title "$1 $i" --now $(($2 + i)) >/dev/null
    ((i % 5)) || "${tool[@]}" list append shared "http://$1.example/$i" "$1 $i" $(($2 + i))
  done
}
write a 1000 &
write b 5000 &
wait
check() {
  awk -F'\t' -v n="$2" '{ split($3, u, /[\/.]/); t = (u[3] == "a" ? 1000 : 5000) + u[5] }
    $4 != u[3] " " u[5] || $2 != t || seen[$3]++ { bad++; print "  " $0 }
    END { exit bad || NR != n }' || fail "$1 lost or mixed entries"
}
check history $((2 * visits)) < <("${tool[@]}" history list)
check list $((2 * ((visits + 4) / 5))) < <("${tool[@]}" list show shared)
[ "$failures" -eq 0 ] && echo "history commands work"
exit "$failures"
