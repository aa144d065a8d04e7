#!/usr/bin/env bash
# Every message of the string table, as "corvisant-tool report ID" prints it, is the text that
# the user has always seen; and arguments fill it as the error dialog fills it.
# usage: report_messages_test.sh MESSAGES.txt TOOL [TOOL-ARG...]
set -uo pipefail
messages="$1"
shift
failures=0

expect() {
  local expected="$1"
  shift
  local actual
  actual="$("$@")"
  if [ "$actual" != "$expected" ]; then
    printf 'FAIL: %s\n  expected: %s\n  actual:   %s\n' "$*" "$expected" "$actual"
    failures=$((failures + 1))
  fi
}

# Without arguments the directives stand as they are, so the output is the table's own text.
while IFS=$'\t' read -r id text; do
  expect "$text" "$@" report "$id"
done <"$messages"

expect "Corvisant can't create directory  temp under Z:\\store\\CorvisantDatabase by the reason 183. Make sure the disk isn't write protected nor it isn't full." \
  "$@" report 40011 temp 'Z:\store\CorvisantDatabase' 183
expect "DdeInitialize returned ERROR 0x00004009. Corvisant can't start using data exchange facility. You may need to reboot the system." \
  "$@" report 40000 0x4009
expect "DdeConnect returned ERROR 0xc0000005. Corvisant can't connect with Netscape Browser. You may need to exit the browser and relaunch again." \
  "$@" report 40002 0xC0000005
expect "Only 12 MB of free disk space is availabe for Corvisant to keep data." "$@" report 40023 12
expect "Corvisant can't read file a b by the reason -1." "$@" report 40012 "a b" -1

if "$@" report 40017 >/dev/null 2>&1; then
  echo "FAIL: report 40017 found a message"
  failures=$((failures + 1))
fi
[ "$failures" -eq 0 ] && echo "all messages exact"
exit "$failures"
