#!/usr/bin/env bash
# The tool's annotation commands on a fresh store root: attach, replace, read, remove, with
# their exit codes; the log holds every record and removal byte for byte; a damaged or cut table
# is rebuilt from the log (no crash, nothing lost); Debian's db5.3_dump reads the table the tool
# wrote and lists every URL; a write the disk refuses is told and exits non-zero.
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

printf '\x000 9 5\nhttp://a/first45b1ca99\n\x0030 9 11\nhttp://a/second note9cfbb7b9\n' >expected.log
printf '\x0068 9 0\nhttp://a/29fb13dc\n' >>expected.log
cmp -s expected.log CorvisantDatabase/etc/annotation.log || fail "annotation.log differs"

urls=(http://a.example/ "http://b.example/x?y=1" http://C.example/Page http://c.example/page/)
for url in "${urls[@]}"; do
  "${tool[@]}" annotation put "$url" "note of $url" || fail "put $url"
done
# The first entry of the first bucket page (offset 4122 with the 4,096-byte pages of Linux).
table=CorvisantDatabase/etc/annotation.db
first_entry=$(($(od -An -tu4 -j20 -N4 "$table") + 26))
cp "$table" valid.db
for damage in '\xff\xff' '\x00\x80' cut; do
  cp valid.db "$table"
  if [ "$damage" = cut ]; then
    head -c 4096 valid.db >"$table"
  else
    printf "$damage" | dd of="$table" bs=1 seek="$first_entry" conv=notrunc 2>/dev/null
  fi
  expect 0 "note of ${urls[0]}" "${tool[@]}" annotation get "${urls[0]}"
done
dump="$(db5.3_dump -p CorvisantDatabase/etc/annotation.db)" || fail "db5.3_dump failed"
for url in "${urls[@]}"; do
  grep -qxF " $url" <<<"$dump" || fail "db5.3_dump does not list $url"
done

ln -sf /dev/full CorvisantDatabase/etc/annotation.log
told="$("${tool[@]}" annotation put http://full/ text 2>&1)" && fail "a put on a full disk exited 0"
grep -q "cannot write" <<<"$told" || fail "a put on a full disk told '$told'"

[ "$failures" -eq 0 ] && echo "annotation commands work"
exit "$failures"
