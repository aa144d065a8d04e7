#!/usr/bin/env bash
# The tool's browser commands against the stand-in over DDEML under Wine: the rows of GROUP beside
# a stand-in of its own, started and stopped (also on failure) by scripts/with-standin. Rows:
# expect STATUS OUTPUT ARG... (the tool's status and output within 30 s), logged LINE (the
# stand-in logs LINE within 10 s). usage: browser_dde_test.sh GROUP SCRIPTS-DIR TOOL [TOOL-ARG...]
set -uo pipefail
group="$1" scripts="$2" && shift 2
work="$(mktemp -d "$PWD/dde-$group.XXXXXX")" && trap 'rm -rf "$work"' EXIT && cd "$work" || exit 1
mkdir site site/a.test && printf '<title>A</title>\r\n\xe9\xff\n' >site/a.test/index.html
printf '<title>B, b</title>' >"site/a.test/b, c.html" && seq -f 'http://a.test/?n=%g' 200 >urls

rows() {
  local tool=("$@") failures=0 root && root="Z:$(pwd | tr / '\\')"
  check() { "$@" >/dev/null || { echo "FAIL: $*" && failures=$((failures + 1)); }; }
  expect() { local want="$1:$2" got && shift 2 && got="$(timeout 30 "${tool[@]}" "$@")"
    check test "$* gave $?:$got" = "$* gave $want"; }
  logged() { timeout 10 sh -c 'until grep -qxF -- "$0" "$STANDIN_LOG"; do sleep 0.1; done' "$1"; }
  case "$group" in
    link) "${tool[@]}" browser listen 12 >echoes &
      check logged "poke WWW_RegisterURLEcho CORVISANT"
      expect 0 "" browser open http://a.test/
      wait $!; check test "$(cat echoes)" = '"http://a.test/","text/html",1'
      expect 0 "title=A" browser title
      expect 0 1 browser save "http://a.test/b, c.html" b.html
      expect 0 1 browser save http://a.test/ a.html --window 1
      check logged "saved http://a.test/ -> $root\\a.html"
      check cmp site/a.test/index.html a.html && check cmp "site/a.test/b, c.html" b.html
      expect 1 "" browser open "http://a.test/$(printf '%0250d' 0)"  # over DDEML's 255 characters
      expect 0 "" browser open-new http://a.test/
      expect 0 $'1\n2' browser windows ;;
    navigator) expect 0 "title=A" browser title --version 3
      expect 0 "title=Netscape - [A]" browser title --version 4 ;;
    refused) expect 1 0 browser save http://a.test/ a.html
      check logged "save-refused http://a.test/ -> $root\\a.html" ;;
    mute) expect 1 "no answer" browser answers
      expect 1 0 browser save http://a.test/ a.html
      check test "$SECONDS" -ge 10 ;;
    echoes) "${tool[@]}" browser listen 15 >echoes
      check diff <(sed 's/.*/"&","text\/html",1/' urls | sort) <(sort echoes) ;;
  esac
  return "$failures"
}
declare -A options=([navigator]="--navigator --start http://a.test/" [refused]=--refuse-saves
  [mute]=--mute [echoes]="--browse urls --interval 20")
export -f rows && export group && "$scripts/with-standin" ${options[$group]:-} --site site -- \
  bash -c 'rows "$@"' rows "$@" && echo "$group works"
