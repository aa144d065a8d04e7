#!/usr/bin/env bash
# The tool's annotation commands on a fresh store root: attach, replace, read, remove, with
# their exit codes; the log holds every record byte for byte; and Debian's db5.3_dump reads the
# table the tool wrote and lists every URL.
# usage: annotation_tool_test.sh TOOL [TOOL-ARG...]
set -uo pipefail
root="$(mktemp -d "$PWD/annotation-tool.XXXXXX")"
trap 'rm -rf "$root"' EXIT
cd "$root" || exit 1
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# expect STATUS OUTPUT COMMAND...
expect() {
  local status="$1" output="$2"
  shift 2
  local actual code
  actual="$("$@")"
  code=$?
  [ "$code" -eq "$status" ] || fail "$* exited $code, not $status"
  [ "$actual" = "$output" ] || fail "$* printed '$actual', not '$output'"
}

tool=("$@")
expect 0 "" "${tool[@]}" annotation put http://a/ first
expect 0 "first" "${tool[@]}" annotation get http://a/
expect 0 "" "${tool[@]}" annotation put http://a/ "second note"
expect 0 "second note" "${tool[@]}" annotation get http://a/
expect 1 "" "${tool[@]}" annotation get http://none/
expect 0 "" "${tool[@]}" annotation delete http://a/
expect 1 "" "${tool[@]}" annotation get http://a/
expect 1 "" "${tool[@]}" annotation delete http://a/
expect 2 "" "${tool[@]}" annotation put http://a/

printf 'http://a/\n5\nfirst\nhttp://a/\n11\nsecond note\n' >expected.log
cmp -s expected.log CorvisantDatabase/etc/annotation.log || fail "annotation.log differs"

urls=(http://a.example/ "http://b.example/x?y=1" http://C.example/Page http://c.example/page/)
for url in "${urls[@]}"; do
  "${tool[@]}" annotation put "$url" "note of $url" || fail "put $url"
done
dump="$(db5.3_dump -p CorvisantDatabase/etc/annotation.db)" || fail "db5.3_dump failed"
for url in "${urls[@]}"; do
  grep -qxF " $url" <<<"$dump" || fail "db5.3_dump does not list $url"
done

[ "$failures" -eq 0 ] && echo "annotation commands work"
exit "$failures"
